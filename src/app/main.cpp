// Program entry: the bar, or one of the text commands.

#include "app/CommandLine.h"
#include "app/DataDirFacts.h"
#include "app/Features.h"
#include "app/Services.h"
#include "bar/widgets/BarWindow.h"
#include "common/Error.h"
#include "common/Version.h"
#include "namedays/core/SaintFile.h"
#include "ui/BalloonHint.h"
#include "ui/Messages.h"
#include "ui/Style.h"

#include <QApplication>
#include <QMenu>
#include <iostream>

namespace {

using namespace veskor;

int runBar(int argc, char** argv, const std::filesystem::path& dataDir) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);
    BalloonHints hints(style::kYellow, &app);

    LinuxServices services;
    BarWindow* shown = nullptr;
    BarWindow bar(
        services.forBar(dataDir, [&shown](const QString& text) { showErrorMessage(shown, text); }),
        sidePanels());
    shown = &bar;
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
    LinuxServices services(cl.at.value_or(LinuxClock().now()));
    BarWindow bar(
        services.forBar(dataDir,
                        [](const QString& text) { std::cerr << text.toStdString() << '\n'; }),
        sidePanels());
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
    if (!picture.save(QString::fromStdString(cl.screenshotFile.string()), "PNG")) {
        std::cerr << "veskor: cannot write " << cl.screenshotFile.string() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words = panelWords(sidePanels());
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

    const std::filesystem::path dataDir = chooseDataDir(systemDataDirFacts(cl.dataDir));
    if (cl.mode == CommandLine::Mode::Bar) {
        return runBar(argc, argv, dataDir);
    }
    if (cl.mode == CommandLine::Mode::Screenshot) {
        return runScreenshot(argc, argv, cl, dataDir);
    }

    SaintTable saints;
    PosixFileStore files;
    try {
        loadSaints(saints.strings, files, dataDir / kSaintFileName);
    } catch (const Error& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return runTextCommand(cl, saints.strings, LinuxClock().now(), LocaleFormat::system(), std::cout,
                          std::cerr);
}
