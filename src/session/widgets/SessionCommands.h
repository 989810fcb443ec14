#pragma once
// The bar's "Shutdown", "Log Off" and "Reboot": each ends the desktop session at once, without
// asking and without forcing. A refusal, or a bus that cannot be reached, is shown with its
// reason; the bar is asked to go (logOffAccepted) only once logind has accepted a log off.

#include "platform/SessionService.h"
#include "session/core/ExitSession.h"

#include <QObject>
#include <memory>

class QWidget;

namespace veskor {

class SessionCommands final : public QObject {
    Q_OBJECT
public:
    // Lives as long as `window`, the bar's, which its dialog and messages are shown over.
    SessionCommands(std::shared_ptr<ISessionService> service, QWidget& window);

    [[nodiscard]] const ExitSession& exitSession() const { return m_exit; }

public slots:
    void shutdown();
    void logOff();
    void reboot();

signals:
    // logind took the log off: the bar closes now, so that its own close puts the desktop panel
    // back before the session ends.
    void logOffAccepted();

private:
    void run(ExitType type, const QString& command);

    std::shared_ptr<ISessionService> m_service;
    QWidget& m_window;
    ExitSession m_exit;
    bool m_waiting = false;
};

} // namespace veskor
