// Program entry: the bar, or one of the text commands.

#include "app/Autostart.h"
#include "app/CommandLine.h"
#include "app/DataDirFacts.h"
#include "app/DisplayChoice.h"
#include "app/Features.h"
#include "app/Help.h"
#include "app/Services.h"
#include "app/Translations.h"
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
#include <QCoreApplication>
#include <QMenu>
#include <clocale>
#include <cstdlib>
#include <iostream>

namespace {

using namespace veskor;

// The bar with every feature on it: their side panels and settings keys, then, once the bar
// exists, their wiring and menu entries.
class FeaturedBar {
public:
    FeaturedBar(LinuxServices& services, const std::filesystem::path& dataDir,
                std::function<void(const QString&)> report)
        : m_features(allFeatures()), m_services(services.forFeatures(dataDir)),
          m_bar(services.forBar(dataDir, std::move(report)), sidePanels(m_features),
                settingKeys(m_features)) {
        std::vector<MenuEntry> entries;
        for (const Feature& feature : m_features) {
            if (feature.attach) {
                std::ranges::move(feature.attach(m_bar.link(), m_services),
                                  std::back_inserter(entries));
            }
        }
        m_bar.addMenuEntries(std::move(entries));
    }
    BarWindow& bar() { return m_bar; }

private:
    std::vector<Feature> m_features;
    FeatureServices m_services;
    BarWindow m_bar;
};

// The application object of the moment, with the translations installed in it. The command line
// is read under a plain one; the bar, a picture, or a command that asks for the screen replaces it
// with its own, as the toolkit allows only one at a time.
class AppObject {
public:
    AppObject(int& argc, char** argv) : m_argc(argc), m_argv(argv) {
        replace([] { return nullptr; });
    }
    int& argc() { return m_argc; }
    char** argv() { return m_argv; }

    // Ends the current object and makes `make`'s the current one; without one from `make`, a
    // plain one again.
    void replace(const std::function<std::unique_ptr<QCoreApplication>()>& make) {
        m_app.reset();
        m_app = make();
        if (!m_app) {
            m_app = std::make_unique<QCoreApplication>(m_argc, m_argv);
            // The toolkit set the C library's locale from the environment; the text commands'
            // numbers stay as they are in every language.
            std::setlocale(LC_ALL, "C");
        }
        m_translations.install();
    }
    template <typename App> App& replaceWith() {
        replace([this] { return std::make_unique<App>(m_argc, m_argv); });
        return static_cast<App&>(*m_app);
    }

private:
    int& m_argc;
    char** m_argv;
    Translations m_translations;
    std::unique_ptr<QCoreApplication> m_app;
};

int runBar(AppObject& apps, const CommandLine& cl, const std::filesystem::path& dataDir) {
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
        std::cerr << QCoreApplication::translate("Main",
                                                 "veskor: cannot tell whether the bar already "
                                                 "runs: %1")
                         .arg(QString::fromStdString(instanceSlots.problem()))
                         .toStdString()
                  << '\n';
    }
    QApplication& app = apps.replaceWith<QApplication>();
    QApplication::setQuitOnLastWindowClosed(true);
    BalloonHints hints(style::kYellow, &app);

    LinuxServices services(cl.at ? LinuxServices::ClockFrom::Start
                                 : LinuxServices::ClockFrom::System,
                           cl.at.value_or(0));
    BarWindow* shown = nullptr;
    FeaturedBar featured(services, dataDir,
                         [&shown](const QString& text) { showErrorMessage(shown, text); });
    BarWindow& bar = featured.bar();
    shown = &bar;
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

int runScreenshot(AppObject& apps, const CommandLine& cl, const std::filesystem::path& dataDir) {
    // Rendered off screen, so it works without a display. The off-screen platform's notes on
    // what it cannot do (raise, grab the keyboard) are not the user's concern here.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::cerr << text.toStdString() << '\n';
        }
    });
    apps.replaceWith<QApplication>();
    LinuxServices services(LinuxServices::ClockFrom::Fixed, cl.at.value_or(LinuxClock().now()));
    // Grabbed at the screen's device pixel ratio, so the picture is as sharp as the screen.
    const auto save = [&cl](const QPixmap& picture) {
        if (!picture.save(QString::fromStdString(cl.screenshotFile.string()), "PNG")) {
            std::cerr << QCoreApplication::translate("Main", "veskor: cannot write %1")
                             .arg(QString::fromStdString(cl.screenshotFile.string()))
                             .toStdString()
                      << '\n';
            return 1;
        }
        return 0;
    };
    if (!cl.window.empty()) {
        // The parser took the word from the same list.
        const std::vector<Feature> features = allFeatures();
        const FeatureServices sources = services.forFeatures(dataDir);
        const BuiltWindow built =
            findWindow(features, cl.window)->build({sources, cl.file, std::cerr});
        if (!built.window) {
            return built.status;
        }
        QApplication::processEvents();
        return save(built.window->grab());
    }
    FeaturedBar featured(services, dataDir,
                         [](const QString& text) { std::cerr << text.toStdString() << '\n'; });
    BarWindow& bar = featured.bar();
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
    SystemCommandContext(AppObject& apps, std::filesystem::path dataDir)
        : m_apps(apps), m_dataDir(std::move(dataDir)) {}
    [[nodiscard]] std::filesystem::path dataDir() const override { return m_dataDir; }
    IFileStore& files() override { return m_files; }
    DateTime now() override { return LinuxClock().now(); }
    LocaleFormat locale() override { return LocaleFormat::system(); }
    IProcessor& processor() override { return made(m_processor); }
    ISystemFacts& systemFacts() override { return made(m_systemFacts); }
    IScreenFacts& screenFacts() override {
        // The screen's facts come from the display when one answers; without, they stay empty.
        if (!m_displayTried) {
            m_displayTried = true;
            m_apps.replace([this] { return openDisplayIfAny(m_apps.argc(), m_apps.argv()); });
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

    AppObject& m_apps;
    bool m_displayTried = false;
    std::filesystem::path m_dataDir;
    PosixFileStore m_files;
    std::unique_ptr<LinuxProcessor> m_processor;
    std::unique_ptr<LinuxSystemFacts> m_systemFacts;
    std::unique_ptr<QtScreenFacts> m_screenFacts;
    std::unique_ptr<PosixMappedFiles> m_mappedFiles;
};

} // namespace

int main(int argc, char** argv) {
    // The words are read first: the toolkit takes its own options (-platform, -style) out of argv.
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The texts of --help and of every message are in the user's language from here on.
    AppObject apps(argc, argv);
    const CommandWords words = commandWords(allFeatures());
    CommandLine cl;
    try {
        cl = parseCommandLine(args, words);
    } catch (const UsageError& e) {
        std::cerr << QCoreApplication::translate("Main", "veskor: %1 (try --help)")
                         .arg(QString::fromStdString(e.what()))
                         .toStdString()
                  << '\n';
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
            std::cerr << QCoreApplication::translate(
                             "Main", "veskor: --data-dir '%1' is not a folder (try --help)")
                             .arg(QString::fromStdString(cl.dataDir->string()))
                             .toStdString()
                      << '\n';
            return 2;
        }
    }

    const std::filesystem::path dataDir = chooseDataDir(systemDataDirFacts(cl.dataDir));
    switch (cl.mode) {
    case CommandLine::Mode::Bar: {
        const int status = runBar(apps, cl, dataDir);
        // The toolkit's D-Bus thread may still be held by a bus that never answered, and the
        // toolkit would wait for it at exit, for ever. Everything of ours is closed by now.
        if (SystemBus::threadsRunning() > 0) {
            std::cout.flush();
            std::_Exit(status);
        }
        return status;
    }
    case CommandLine::Mode::Screenshot:
        return runScreenshot(apps, cl, dataDir);
    default: {
        SystemCommandContext context(apps, dataDir);
        return cl.run(context);
    }
    }
}
