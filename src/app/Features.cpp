#include "app/Features.h"

#include "alarms/widgets/AlarmSettingsWindow.h"
#include "alarms/widgets/Alarms.h"
#include "alarms/widgets/LedTicker.h"
#include "app/Services.h"
#include "bar/widgets/BarWindow.h"
#include "calc/widgets/CalculatorPanel.h"
#include "calendar/widgets/CalendarPanel.h"
#include "common/Cp1250.h"
#include "common/Error.h"
#include "fileinfo/core/FileInfoCommand.h"
#include "fileinfo/widgets/FileInfoWindow.h"
#include "namedays/core/SaintFile.h"
#include "namedays/widgets/SaintEditorWindow.h"
#include "platform/linux/LinuxProcessor.h"
#include "platform/linux/LinuxSystemFacts.h"
#include "platform/linux/LogindSession.h"
#include "platform/linux/QtScreenFacts.h"
#include "scope/core/ScopeSettings.h"
#include "scope/widgets/MemoryScope.h"
#include "scope/widgets/ScopePanel.h"
#include "session/widgets/SessionCommands.h"
#include "sysinfo/widgets/SystemInfoPanel.h"
#include "ui/Messages.h"
#include "ui/StatusCell.h"

#include <QFileInfo>
#include <QTableWidget>
#include <sstream>

namespace veskor {

namespace {

// The user's data files read as they are and never saved: a picture changes nothing.
class ReadOnlyFiles final : public IFileStore {
public:
    explicit ReadOnlyFiles(IFileStore& files) : m_files(files) {}
    FileRead read(const std::filesystem::path& path, std::size_t maxBytes) override {
        return m_files.read(path, maxBytes);
    }
    SaveResult save(const std::filesystem::path& /*path*/, std::string_view /*bytes*/) override {
        return {};
    }
    CopyResult keepCopy(const std::filesystem::path& /*path*/,
                        const std::filesystem::path& /*copy*/) override {
        return {CopyResult::Status::Kept, {}};
    }

private:
    IFileStore& m_files;
};

std::function<void(const QString&)> reportTo(std::ostream& err) {
    return [&err](const QString& text) { err << text.toStdString() << '\n'; };
}

AlarmReports alarmReportsTo(std::ostream& err) {
    return {[&err](const QString& text, const QString& detail) {
                err << text.toStdString() << '\n' << detail.toStdString() << '\n';
            },
            reportTo(err), reportTo(err)};
}

BuiltWindow alarmSettingsWindow(const WindowSources& sources) {
    struct Data {
        explicit Data(IFileStore& store) : files(store) {}
        ReadOnlyFiles files;
        AlarmList list;
    };
    auto data = std::make_shared<Data>(sources.services.files());
    auto window = std::make_unique<AlarmSettingsWindow>(
        data->list, data->files, sources.dataDir / kAlarmFileName, alarmReportsTo(sources.err));
    window->show(); // showing reads the alarm file, as when the bar opens the window
    return {data, std::move(window)};
}

// The first event's message as it goes off at its own time on the clock's day, in silence.
BuiltWindow alarmMessageWindow(const WindowSources& sources) {
    AlarmList list;
    ReadOnlyFiles files(sources.services.files());
    alarmReportsTo(sources.err).reportLoad(list.load(files, sources.dataDir / kAlarmFileName));
    QString message;
    DateTime at = sources.services.clock().now();
    if (list.count() > 0) {
        const AlarmEvent& first = list.at(0);
        message = QString::fromStdString(cp1250ToUtf8(first.message));
        if (const std::optional<DateTime> time = parseTimeOfDay(first.time)) {
            at = static_cast<DateTime>(dateOf(at)) + *time;
        }
    }
    auto window = std::make_unique<AlarmMessageWindow>(sources.services.beep(), nullptr, nullptr);
    window->showAlarm(message, false, at);
    // Standing still the ticker shows the scroll's first frame, the message from its start,
    // and no timer moves it before the picture is taken.
    window->led()->setScrolling(false);
    return {nullptr, std::move(window)};
}

BuiltWindow saintEditorWindow(const WindowSources& sources) {
    auto saints = std::make_shared<SaintTable>();
    try {
        loadSaints(saints->strings, sources.services.files(), sources.dataDir / kSaintFileName);
    } catch (const Error& error) {
        sources.err << error.what() << '\n'; // the built-in list stays, as in the bar
    }
    auto window = std::make_unique<SaintEditorWindow>(saints->strings);
    window->show();
    return {saints, std::move(window)};
}

BuiltWindow fileInfoWindow(const WindowSources& sources) {
    const IMappedFiles& files = *sources.services.mappedFiles();
    // The command's own checks, so that a file it cannot show fails here as it fails there.
    std::ostringstream rows;
    if (const int status = runFileInfoCommand(sources.file, files, rows, sources.err);
        status != 0) {
        return {nullptr, nullptr, status};
    }
    auto window = std::make_unique<FileInfoWindow>(files);
    window->setFile(QFileInfo(QString::fromStdString(sources.file.string())).absoluteFilePath());
    window->show();
    // A document's summary follows the version rows, below the first screenful. The bottom
    // may cut the top row; that row is then shown whole, from its top.
    QTableWidget* list = window->list();
    list->scrollToBottom();
    if (QTableWidgetItem* top = list->itemAt(0, 0)) {
        list->scrollToItem(top, QAbstractItemView::PositionAtTop);
    }
    return {nullptr, std::move(window)};
}

} // namespace

void connectSession(BarWindow& bar, std::unique_ptr<ISessionService> service) {
    auto* commands = new SessionCommands(std::move(service), bar);
    QObject::connect(&bar, &BarWindow::shutdownRequested, commands, &SessionCommands::shutdown);
    QObject::connect(&bar, &BarWindow::logOffRequested, commands, &SessionCommands::logOff);
    QObject::connect(&bar, &BarWindow::rebootRequested, commands, &SessionCommands::reboot);
    QObject::connect(commands, &SessionCommands::logOffAccepted, &bar, &BarWindow::quit);
}

std::vector<SidePanelDescription> sidePanels(const CalendarSources& calendar,
                                             std::function<MemoryScope&()> scope) {
    return {
        calendarSidePanel(calendar),
        systemInfoSidePanel({std::make_shared<LinuxSystemFacts>(),
                             std::make_shared<QtScreenFacts>(),
                             std::make_shared<LinuxProcessor>()}),
        scopeSidePanel(std::move(scope)),
        calculatorSidePanel(),
    };
}

std::vector<SettingKey> featureSettingKeys() {
    return scopeSettingKeys();
}

std::function<MemoryScope&()> scopeOf(BarWindow* const& bar) {
    return [&bar]() -> MemoryScope& {
        auto* scope = bar->findChild<MemoryScope*>(QString(), Qt::FindDirectChildrenOnly);
        return scope != nullptr ? *scope : connectScope(bar->link(), nullptr);
    };
}

CalendarSources calendarSources(LinuxServices& services, BarWindow* const& bar) {
    return {[&services] { return services.clock().now(); },
            [&bar]() -> const StringList& { return bar->saints().strings; }};
}

void connectFeatures(BarWindow& bar, LinuxServices& services,
                     const std::filesystem::path& dataDir) {
    auto* alarms = new Alarms(services.files(), services.beep(), &services.stripScroller(), dataDir,
                              {[&bar](const QString& text, const QString& detail) {
                                   showErrorDialog(&bar, text, detail);
                               },
                               [&bar](const QString& text) { showErrorMessage(&bar, text); },
                               [&bar](const QString& text) { showNote(&bar, text); }},
                              &bar);
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
    // "Version Info on File..." and files dropped on the name-day cell.
    const std::shared_ptr<const IMappedFiles> mapped = services.mappedFiles();
    openFileInfoOnDrop(bar.cell(BarCell::Saint), mapped);
    QObject::connect(&bar, &BarWindow::fileInfoRequested, &bar,
                     [&bar, mapped] { chooseFileInfo(*mapped, &bar); });
    connectScope(bar.link(), &services.settings());
}

std::vector<std::string> panelWords(const std::vector<SidePanelDescription>& panels) {
    std::vector<std::string> words;
    for (const SidePanelDescription& panel : panels) {
        words.push_back(panel.word.toStdString());
    }
    words.emplace_back("memory");
    return words;
}

std::vector<ScreenshotWindow> screenshotWindows() {
    return {
        {{"alarms"}, alarmSettingsWindow},
        {{"alarm"}, alarmMessageWindow},
        {{"saints"}, saintEditorWindow},
        {{"fileinfo", true}, fileInfoWindow},
    };
}

std::vector<WindowWord> windowWords(const std::vector<ScreenshotWindow>& windows) {
    std::vector<WindowWord> words;
    for (const ScreenshotWindow& window : windows) {
        words.push_back(window.word);
    }
    return words;
}

} // namespace veskor
