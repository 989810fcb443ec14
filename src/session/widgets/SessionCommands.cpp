#include "session/widgets/SessionCommands.h"

#include "bar/widgets/BarWindow.h"
#include "session/widgets/ExitSelectionDialog.h"

#include <utility>

namespace veskor {

SessionCommands::SessionCommands(std::unique_ptr<ISessionService> service, BarWindow& bar)
    : QObject(&bar), m_service(std::move(service)), m_bar(bar),
      m_exit(*m_service,
             [this](int left, int top) { return ExitSelectionDialog::choose(left, top, &m_bar); }) {
}

// The result is not used: a refused request leaves only lastError() behind.
void SessionCommands::shutdown() {
    m_exit.setExitType(ExitType::ShutDown);
    m_exit.execute();
}

void SessionCommands::logOff() {
    m_exit.setExitType(ExitType::LogOff);
    // The bar's own close puts the desktop panel back before the session ends; the program
    // ends when its event loop next runs.
    m_bar.quit();
    m_exit.execute();
}

void SessionCommands::reboot() {
    m_exit.setExitType(ExitType::Reboot);
    m_exit.execute();
}

void connectSession(BarWindow& bar, std::unique_ptr<ISessionService> service) {
    auto* commands = new SessionCommands(std::move(service), bar);
    QObject::connect(&bar, &BarWindow::shutdownRequested, commands, &SessionCommands::shutdown);
    QObject::connect(&bar, &BarWindow::logOffRequested, commands, &SessionCommands::logOff);
    QObject::connect(&bar, &BarWindow::rebootRequested, commands, &SessionCommands::reboot);
}

} // namespace veskor
