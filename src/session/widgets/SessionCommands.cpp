#include "session/widgets/SessionCommands.h"

#include "bar/widgets/BarWindow.h"
#include "session/widgets/ExitSelectionDialog.h"
#include "ui/Messages.h"

#include <string>
#include <utility>

namespace veskor {

SessionCommands::SessionCommands(std::unique_ptr<ISessionService> service, BarWindow& bar)
    : QObject(&bar), m_service(std::move(service)), m_bar(bar),
      m_exit(*m_service,
             [this](int left, int top) { return ExitSelectionDialog::choose(left, top, &m_bar); }) {
}

void SessionCommands::shutdown() {
    run(ExitType::ShutDown, QStringLiteral("Shutdown"));
}

void SessionCommands::logOff() {
    run(ExitType::LogOff, QStringLiteral("Log Off"));
}

void SessionCommands::reboot() {
    run(ExitType::Reboot, QStringLiteral("Reboot"));
}

void SessionCommands::run(ExitType type, const QString& command) {
    // One request at a time: the next would change the kind of the one logind is still
    // answering (polkit may be asking for a password).
    if (m_waiting) {
        return;
    }
    m_waiting = true;
    m_exit.setExitType(type);
    m_exit.execute([this, type, command](ExitOutcome outcome) {
        m_waiting = false;
        if (outcome == ExitOutcome::Refused) {
            const std::string& reason =
                m_exit.reason().empty() ? m_exit.lastError() : m_exit.reason();
            showErrorMessage(
                &m_bar,
                QStringLiteral("%1 failed: %2").arg(command, QString::fromStdString(reason)));
        } else if (outcome == ExitOutcome::Accepted && type == ExitType::LogOff) {
            // The bar's own close puts the desktop panel back before logind ends the session.
            m_bar.quit();
        }
    });
}

void connectSession(BarWindow& bar, std::unique_ptr<ISessionService> service) {
    auto* commands = new SessionCommands(std::move(service), bar);
    QObject::connect(&bar, &BarWindow::shutdownRequested, commands, &SessionCommands::shutdown);
    QObject::connect(&bar, &BarWindow::logOffRequested, commands, &SessionCommands::logOff);
    QObject::connect(&bar, &BarWindow::rebootRequested, commands, &SessionCommands::reboot);
}

} // namespace veskor
