#pragma once
// The bar's "Shutdown", "Log Off" and "Reboot": each ends the desktop session at once, without
// asking and without forcing. A refusal, or a bus that cannot be reached, is shown with its
// reason; the bar goes only once logind has accepted a log off.

#include "platform/SessionService.h"
#include "session/core/ExitSession.h"

#include <QObject>
#include <memory>

namespace veskor {

class BarWindow;

class SessionCommands final : public QObject {
    Q_OBJECT
public:
    // Lives as long as `bar`, which an accepted "Log Off" closes.
    SessionCommands(std::unique_ptr<ISessionService> service, BarWindow& bar);

    [[nodiscard]] const ExitSession& exitSession() const { return m_exit; }

public slots:
    void shutdown();
    void logOff();
    void reboot();

private:
    void run(ExitType type, const QString& command);

    std::unique_ptr<ISessionService> m_service;
    BarWindow& m_bar;
    ExitSession m_exit;
    bool m_waiting = false;
};

// The bar's three commands, served by `service`.
void connectSession(BarWindow& bar, std::unique_ptr<ISessionService> service);

} // namespace veskor
