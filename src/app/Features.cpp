#include "app/Features.h"

#include "alarms/widgets/Alarms.h"
#include "app/Services.h"
#include "bar/widgets/BarWindow.h"
#include "calc/widgets/CalculatorPanel.h"
#include "calendar/widgets/CalendarPanel.h"
#include "fileinfo/widgets/FileInfoWindow.h"
#include "namedays/widgets/SaintEditorWindow.h"
#include "platform/linux/LinuxProcessor.h"
#include "platform/linux/LinuxSystemFacts.h"
#include "platform/linux/LogindSession.h"
#include "platform/linux/QtScreenFacts.h"
#include "scope/widgets/ScopePanel.h"
#include "session/widgets/SessionCommands.h"
#include "sysinfo/widgets/SystemInfoPanel.h"
#include "ui/Messages.h"
#include "ui/StatusCell.h"

namespace veskor {

std::vector<SidePanelDescription> sidePanels(const CalendarSources& calendar) {
    return {
        calendarSidePanel(calendar),
        systemInfoSidePanel({std::make_shared<LinuxSystemFacts>(),
                             std::make_shared<QtScreenFacts>(),
                             std::make_shared<LinuxProcessor>()}),
        scopeSidePanel(),
        calculatorSidePanel(),
    };
}

CalendarSources calendarSources(LinuxServices& services, BarWindow* const& bar) {
    return {[&services] { return services.clock().now(); },
            [&bar]() -> const StringList& { return bar->saints().strings; }};
}

void connectFeatures(BarWindow& bar, LinuxServices& services,
                     const std::filesystem::path& dataDir) {
    auto* alarms = new Alarms(
        services.files(), services.beep(), dataDir,
        [&bar](const QString& text) { showErrorDialog(&bar, text); },
        [&bar](const QString& text) { showErrorMessage(&bar, text); }, &bar);
    StatusCell* time = bar.cell(BarCell::Time);
    time->setHint(alarms->timeHint());
    QObject::connect(alarms, &Alarms::timeHintChanged, time, &StatusCell::setHint);
    QObject::connect(&bar, &BarWindow::alarmSettingsRequested, alarms, &Alarms::openSettings);
    QObject::connect(&bar, &BarWindow::saintEditorRequested, &bar, [&bar, &services] {
        editSaints(
            bar.saints().strings, services.files(), bar.saintFilePath(),
            [&bar](const QString& text) { showErrorMessage(&bar, text); }, &bar);
    });
    QObject::connect(&bar, &BarWindow::ticked, alarms,
                     [alarms](DateTime now, const std::optional<MemoryStatus>& /*memory*/) {
                         alarms->checkTick(now);
                     });
    connectSession(bar, std::make_unique<LogindSession>());
    connectFileInfo(bar, services.mappedFiles());
    connectScope(bar, &services.settings());
}

std::vector<std::string> panelWords(const std::vector<SidePanelDescription>& panels) {
    std::vector<std::string> words;
    for (const SidePanelDescription& panel : panels) {
        words.push_back(panel.word.toStdString());
    }
    words.emplace_back("memory");
    return words;
}

} // namespace veskor
