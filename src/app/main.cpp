// Program entry: the bar, or one of the text commands.

#include "app/Autostart.h"
#include "app/CommandLine.h"
#include "app/Commands.h"
#include "app/DataDirFacts.h"
#include "app/DisplayChoice.h"
#include "app/Features.h"
#include "app/Help.h"
#include "app/Services.h"
#include "bar/widgets/BarWindow.h"
#include "common/Version.h"
#include "platform/linux/LinuxPaths.h"
#include "platform/linux/LinuxProcessor.h"
#include "platform/linux/LinuxSystemFacts.h"
#include "platform/linux/LockFileSlots.h"
#include "platform/linux/PosixMappedFile.h"
#include "platform/linux/QtScreenFacts.h"
#include "platform/linux/QuitSignals.h"
#include "platform/linux/SystemBus.h"
#include "session/core/InstanceGuard.h"
#include "ui/BalloonHint.h"
#include "ui/Messages.h"
#include "ui/Style.h"

#include <QApplication>
#include <QMenu>
#include <cstdlib>
#include <iostream>

namespace {

using namespace veskor;

int runBar(int argc, char** argv, const CommandLine& cl, const std::filesystem::path& dataDir) {
    const DisplayChoice display = chooseDisplay(
        std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
    if (!display.problem.empty()) {
        std::cerr << display.problem << '\n';
        return 1;
    }
    if (!display.platform.empty()) {
        qputenv("QT_QPA_PLATFORM", display.platform.c_str());
    }
    // One bar at a time: a second copy ends here, silently, before it shows anything.
    LockFileSlots instanceSlots;
    InstanceGuard instanceGuard(instanceSlots, runningExecutableName());
    instanceGuard.setAction(InstanceGuard::Action::None);
    bool surplus = false;
    instanceGuard.setQuitRequest([&surplus] { surplus = true; });
    instanceGuard.check();
    if (surplus) {
        return 0;
    }
    if (!instanceGuard.isCounted()) {
        std::cerr << "veskor: cannot tell whether the bar already runs: " << instanceSlots.problem()
                  << '\n';
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);
    BalloonHints hints(style::kYellow, &app);

    LinuxServices services(cl.at ? LinuxServices::ClockFrom::Start
                                 : LinuxServices::ClockFrom::System,
                           cl.at.value_or(0));
    BarWindow* shown = nullptr;
    BarWindow bar(
        services.forBar(dataDir, [&shown](const QString& text) { showErrorMessage(shown, text); }),
        sidePanels(calendarSources(services, shown), scopeOf(shown)), featureSettingKeys());
    shown = &bar;
    connectFeatures(bar, services, dataDir);
    // However the program is asked to end (a signal, the end of the desktop session), it ends
    // through the bar's own close, as "Quit" does, also from inside a message box.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &bar, [&bar] {
        bar.quit();
        QCoreApplication::quit();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &bar, &BarWindow::quit);
    bar.show();
    return QApplication::exec();
}

int runScreenshot(int argc, char** argv, const CommandLine& cl,
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
    LinuxServices services(LinuxServices::ClockFrom::Fixed, cl.at.value_or(LinuxClock().now()));
    // Grabbed at the screen's device pixel ratio, so the picture is as sharp as the screen.
    const auto save = [&cl](const QPixmap& picture) {
        if (!picture.save(QString::fromStdString(cl.screenshotFile.string()), "PNG")) {
            std::cerr << "veskor: cannot write " << cl.screenshotFile.string() << '\n';
            return 1;
        }
        return 0;
    };
    if (!cl.window.empty()) {
        const std::vector<ScreenshotWindow> windows = screenshotWindows();
        // The parser took the word from the same table.
        const auto window = std::ranges::find_if(
            windows, [&cl](const ScreenshotWindow& each) { return each.word.word == cl.window; });
        const BuiltWindow built = window->build({services, dataDir, cl.file, std::cerr});
        if (!built.window) {
            return built.status;
        }
        QApplication::processEvents();
        return save(built.window->grab());
    }
    BarWindow* made = nullptr;
    BarWindow bar(
        services.forBar(dataDir,
                        [](const QString& text) { std::cerr << text.toStdString() << '\n'; }),
        sidePanels(calendarSources(services, made), scopeOf(made)), featureSettingKeys());
    made = &bar; // NOLINT(clang-analyzer-deadcode.DeadStores): the panels read it by reference
    // Shown for the picture only: the settings are not written.
    const QString panel = QString::fromStdString(cl.panel);
    if (panel == "memory") {
        if (!bar.isMemoryRowShown()) {
            bar.toggleMemoryRow();
        }
    } else if (!panel.isEmpty()) {
        bar.toggleSidePanel(panel);
    }
    // The errors met at start arrive once the events are processed.
    QApplication::processEvents();
    bar.tick();
    QPixmap picture = bar.grab();
    if (cl.menu) {
        bar.menu()->popup(QPoint(0, 0));
        QApplication::processEvents();
        picture = bar.menu()->grab();
    }
    return save(picture);
}

// The machine's services, each made when a command first asks for it.
class SystemCommandContext final : public CommandContext {
public:
    SystemCommandContext(int& argc, char** argv, std::filesystem::path dataDir)
        : m_argc(argc), m_argv(argv), m_dataDir(std::move(dataDir)) {}
    [[nodiscard]] std::filesystem::path dataDir() const override { return m_dataDir; }
    IFileStore& files() override { return m_files; }
    DateTime now() override { return LinuxClock().now(); }
    LocaleFormat locale() override { return LocaleFormat::system(); }
    IProcessor& processor() override { return made(m_processor); }
    ISystemFacts& systemFacts() override { return made(m_systemFacts); }
    IScreenFacts& screenFacts() override {
        // The screen's facts come from the display when one answers; without, they stay empty.
        if (!m_display) {
            m_display = openDisplayIfAny(m_argc, m_argv);
        }
        return made(m_screenFacts);
    }
    const IMappedFiles& mappedFiles() override { return made(m_mappedFiles); }
    std::ostream& out() override { return std::cout; }
    std::ostream& err() override { return std::cerr; }

private:
    template <typename T> static T& made(std::unique_ptr<T>& service) {
        if (!service) {
            service = std::make_unique<T>();
        }
        return *service;
    }

    int& m_argc;
    char** m_argv;
    std::filesystem::path m_dataDir;
    PosixFileStore m_files;
    std::unique_ptr<LinuxProcessor> m_processor;
    std::unique_ptr<LinuxSystemFacts> m_systemFacts;
    std::unique_ptr<QGuiApplication> m_display;
    std::unique_ptr<QtScreenFacts> m_screenFacts;
    std::unique_ptr<PosixMappedFiles> m_mappedFiles;
};

} // namespace

int main(int argc, char** argv) {
    const CommandWords words{allCommands(), panelWords(sidePanels()),
                             windowWords(screenshotWindows())};
    CommandLine cl;
    try {
        cl = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), words);
    } catch (const UsageError& e) {
        std::cerr << "veskor: " << e.what() << " (try --help)\n";
        return 2;
    }
    switch (cl.mode) {
    case CommandLine::Mode::Help:
        std::cout << usage(words);
        return 0;
    case CommandLine::Mode::Version:
        std::cout << kProductCaption << '\n';
        return 0;
    default:
        break;
    }

    if (cl.mode == CommandLine::Mode::Autostart) {
        const std::filesystem::path self = programPath();
        PosixFileStore files;
        return runAutostartCommand(
            cl.autostart, files, autostartFile(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
            self.empty() ? std::filesystem::path(argv[0]) : self, std::cout, std::cerr);
    }

    // A folder named on the command line must be there: falling back to the built-in list
    // would hide the mistake.
    if (cl.dataDir) {
        std::error_code ec;
        if (!std::filesystem::is_directory(*cl.dataDir, ec)) {
            std::cerr << "veskor: --data-dir '" << cl.dataDir->string()
                      << "' is not a folder (try --help)\n";
            return 2;
        }
    }

    const std::filesystem::path dataDir = chooseDataDir(systemDataDirFacts(cl.dataDir));
    switch (cl.mode) {
    case CommandLine::Mode::Bar: {
        const int status = runBar(argc, argv, cl, dataDir);
        // The toolkit's D-Bus thread may still be held by a bus that never answered, and the
        // toolkit would wait for it at exit, for ever. Everything of ours is closed by now.
        if (SystemBus::threadsRunning() > 0) {
            std::cout.flush();
            std::_Exit(status);
        }
        return status;
    }
    case CommandLine::Mode::Screenshot:
        return runScreenshot(argc, argv, cl, dataDir);
    default: {
        SystemCommandContext context(argc, argv, dataDir);
        return cl.run(context);
    }
    }
}
