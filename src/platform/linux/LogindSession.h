#pragma once
#include "platform/SessionService.h"
#include "platform/linux/SystemBus.h"

#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <functional>

namespace veskor {

// The session manager of systemd (org.freedesktop.login1) on the D-Bus system bus; polkit may
// ask the user for authorisation while a request waits. Log off ends the user's current session.
// Nothing here waits: the bus is reached by SystemBus and every call is answered in the event
// loop, so a bus or a logind that never answers costs a message, not the bar.
class LogindSession final : public QObject, public ISessionService {
    Q_OBJECT
public:
    // The bus at `address` (D-Bus address syntax), reached when the user first asks: not while
    // the bar starts.
    explicit LogindSession(QString address = SystemBus::defaultAddress(),
                           QObject* parent = nullptr);

    // 2: authorisation is asked before every request.
    int platformId() override { return 2; }
    void openPrivilege(Reply reply) override;
    void adjustPrivilege(std::uint32_t flags, Reply reply) override;
    void exitSession(std::uint32_t flags, Reply reply) override;

private:
    using Then = std::function<void(const QDBusMessage&)>;

    // Calls the manager; `then` gets its reply, or `failed` the reason it has none.
    void call(const QDBusMessage& message, int timeoutMs, const Then& then, const Reply& failed);
    void callManager(const QString& method, const QVariantList& arguments, int timeoutMs,
                     const Then& then, const Reply& failed);
    void endMachine(const QString& method, bool force, const Reply& reply);
    void currentSession(const std::function<void(const QString&)>& then, const Reply& failed);

    SystemBus m_bus;
};

} // namespace veskor
