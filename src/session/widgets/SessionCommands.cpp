#include "session/widgets/SessionCommands.h"

#include "session/widgets/ExitSelectionDialog.h"
#include "ui/Messages.h"

#include <string>
#include <utility>

namespace veskor {

SessionCommands::SessionCommands(std::shared_ptr<ISessionService> service, QWidget& window)
    : QObject(&window), m_service(std::move(service)), m_window(window),
      m_exit(*m_service, [this](int left, int top) {
          return ExitSelectionDialog::choose(left, top, &m_window);
      }) {}

void SessionCommands::shutdown() {
    run(ExitType::ShutDown, tr("Shutdown"));
}

void SessionCommands::logOff() {
    run(ExitType::LogOff, tr("Log Off"));
}

void SessionCommands::reboot() {
    run(ExitType::Reboot, tr("Reboot"));
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
            showErrorMessage(&m_window,
                             tr("%1 failed: %2").arg(command, QString::fromStdString(reason)));
        } else if (outcome == ExitOutcome::Accepted && type == ExitType::LogOff) {
            emit logOffAccepted();
        }
    });
}

} // namespace veskor
