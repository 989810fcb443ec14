#pragma once
#include "platform/SessionService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <optional>

namespace veskor {

// The session manager of systemd (org.freedesktop.login1) on the D-Bus system bus; polkit may
// ask the user for authorisation while a request waits. Log off ends the user's current session.
class LogindSession final : public ISessionService {
public:
    // The system bus, connected when the user first asks: not while the bar starts.
    LogindSession();
    explicit LogindSession(QDBusConnection bus);

    // 2: authorisation is asked before every request.
    int platformId() override { return 2; }
    bool openPrivilege() override;
    bool adjustPrivilege(std::uint32_t flags) override;
    bool exitSession(std::uint32_t flags) override;
    [[nodiscard]] int lastError() const override { return m_lastError; }

private:
    // Calls the manager; nullopt (and lastError() set) when the call failed.
    std::optional<QDBusMessage> call(QDBusMessage message, int timeoutMs);
    std::optional<QDBusMessage> callManager(const QString& method, const QVariantList& arguments,
                                            int timeoutMs);
    bool endMachine(const QString& method, bool force);
    std::optional<QString> currentSession();

    QDBusConnection& bus();

    std::optional<QDBusConnection> m_bus;
    int m_lastError = 0;
};

} // namespace veskor
