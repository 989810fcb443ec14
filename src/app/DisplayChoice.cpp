#include "app/DisplayChoice.h"

#include <QCoreApplication>

namespace veskor {

namespace {
bool isSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}
} // namespace

DisplayChoice chooseDisplay(const char* qpaPlatform, const char* display,
                            const char* waylandDisplay) {
    if (isSet(qpaPlatform)) {
        return {};
    }
    if (isSet(display)) {
        return {"xcb", {}};
    }
    if (isSet(waylandDisplay)) {
        return {{},
                QCoreApplication::translate(
                    "DisplayChoice",
                    "veskor: the bar places itself on screen through X11, and this Wayland "
                    "session has no X11 display (DISPLAY is not set; is XWayland off?)")
                    .toStdString()};
    }
    return {{},
            QCoreApplication::translate(
                "DisplayChoice",
                "veskor: no display (DISPLAY is not set); the commands need none (try --help)")
                .toStdString()};
}

} // namespace veskor
