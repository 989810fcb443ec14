#include "platform/linux/QtScreenFacts.h"

#include <QGuiApplication>
#include <QScreen>
#include <xcb/xcb.h>

namespace veskor {

std::optional<ScreenFacts> QtScreenFacts::screen() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return std::nullopt;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return std::nullopt;
    }
    // Qt's geometry is in device-independent pixels; the facts are the monitor's own.
    const QSizeF size = QSizeF(screen->geometry().size()) * screen->devicePixelRatio();
    return ScreenFacts{qRound(size.width()), qRound(size.height()), screen->depth(),
                       screen->manufacturer().toStdString(), screen->model().toStdString()};
}

std::unique_ptr<QGuiApplication> openDisplayIfAny(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        return nullptr;
    }
    // Qt ends the process when its display cannot be opened, so the display is tried first.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!answers) {
        return nullptr;
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace veskor
