// Program entry: the bar, or one of the text commands.

#include "app/CommandLine.h"
#include "bar/core/DataDir.h"
#include "bar/widgets/TfrmMain.h"
#include "common/Error.h"
#include "platform/linux/IniSettingsStore.h"
#include "platform/linux/LinuxClock.h"
#include "platform/linux/LinuxMemoryInfo.h"
#include "platform/linux/X11Taskbar.h"
#include "platform/linux/X11WindowState.h"
#include "ui/BalloonHint.h"
#include "ui/Messages.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <map>

namespace {

using namespace veskor;

const QColor kHintColor(255, 255, 0);

// The clock of a screenshot: stands still at the time asked for.
class FixedClock final : public IClock {
public:
    explicit FixedClock(TDateTime at) : at_(at) {}
    TDateTime Now() const override { return at_; }

private:
    TDateTime at_;
};

// The settings of a screenshot: the user's values, never written.
class ReadOnlySettings final : public ISettingsStore {
public:
    explicit ReadOnlySettings(ISettingsStore& store) : store_(store) {}
    bool EnsureKey() override { return true; }
    std::optional<std::int32_t> ReadInteger(const std::string& name) override {
        return store_.ReadInteger(name);
    }
    bool WriteIntegers(const std::vector<std::pair<std::string, std::int32_t>>&) override {
        return true;
    }

private:
    ISettingsStore& store_;
};

int RunBar(int argc, char** argv, const std::filesystem::path& dataDir) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);
    BalloonHints hints(kHintColor, &app);

    LinuxClock clock;
    LinuxMemoryInfo memory;
    IniSettingsStore settings(IniSettingsStore::DefaultFile());
    X11WindowState windowState;
    X11Taskbar taskbar;
    TfrmMain* bar = nullptr;
    BarServices services{clock,
                         memory,
                         settings,
                         windowState,
                         taskbar,
                         LocaleFormat::System(),
                         dataDir,
                         [&bar](const QString& text) {
                             // Shown once the bar is on screen and the event loop runs.
                             QTimer::singleShot(0, [&bar, text] { ShowErrorMessage(bar, text); });
                         }};
    TfrmMain window(services);
    bar = &window;
    window.show();
    return QApplication::exec();
}

int RunScreenshot(int argc, char** argv, const CommandLine& cl,
                  const std::filesystem::path& dataDir) {
    // Rendered off screen, so it works without a display. The off-screen platform's notes on
    // what it cannot do (raise, grab the keyboard) are not the user's concern here.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::cerr << text.toStdString() << '\n';
        }
    });
    QApplication app(argc, argv);
    LinuxClock systemClock;
    FixedClock clock(cl.at.value_or(systemClock.Now()));
    LinuxMemoryInfo memory;
    IniSettingsStore userSettings(IniSettingsStore::DefaultFile());
    ReadOnlySettings settings(userSettings);
    X11WindowState windowState;
    X11Taskbar taskbar;
    BarServices services{
        clock,    memory,
        settings, windowState,
        taskbar,  LocaleFormat::System(),
        dataDir,  [](const QString& text) { std::cerr << text.toStdString() << '\n'; }};
    TfrmMain window(services);
    const std::map<std::string, void (TfrmMain::*)()> commands = {{"calendar", &TfrmMain::cmCal},
                                                                  {"sysinfo", &TfrmMain::cmSI},
                                                                  {"calculator", &TfrmMain::cmCalc},
                                                                  {"scope", &TfrmMain::cmMS},
                                                                  {"memory", &TfrmMain::cmMem}};
    if (!cl.panel.empty()) {
        // Shown for the picture only: the settings are not written.
        const auto command = commands.at(cl.panel);
        if (command != &TfrmMain::cmMem || !window.memoryRowShown()) {
            (window.*command)();
        }
    }
    window.TimerTimer();
    QPixmap picture = window.grab();
    if (cl.menu) {
        window.PopupMenu->popup(QPoint(0, 0));
        QApplication::processEvents();
        picture = window.PopupMenu->grab();
    }
    const QString file = QString::fromStdString(cl.screenshotFile.string());
    if (!picture.save(file, "PNG")) {
        std::cerr << "veskor: cannot write " << cl.screenshotFile.string() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine cl;
    try {
        cl = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        std::cerr << "veskor: " << e.what() << " (try --help)\n";
        return 2;
    }
    switch (cl.mode) {
    case CommandLine::Mode::Help:
        std::cout << kUsage;
        return 0;
    case CommandLine::Mode::Version:
        std::cout << "Veskor Pro 4.5\n";
        return 0;
    default:
        break;
    }

    const std::filesystem::path dataDir = ChooseDataDir(SystemDataDirFacts(cl.dataDir));
    if (cl.mode == CommandLine::Mode::Bar) {
        return RunBar(argc, argv, dataDir);
    }
    if (cl.mode == CommandLine::Mode::Screenshot) {
        return RunScreenshot(argc, argv, cl, dataDir);
    }

    TStrHolder saints;
    try {
        LoadSaints(saints.Strings, dataDir / kSaintFileName);
    } catch (const Error& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return RunTextCommand(cl, saints.Strings, LinuxClock().Now(), LocaleFormat::System(), std::cout,
                          std::cerr);
}
