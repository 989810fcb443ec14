#pragma once
// Which of the toolkit's platforms the bar asks for.

#include <string>

namespace veskor {

struct DisplayChoice {
    std::string platform; // for QT_QPA_PLATFORM; empty: leave the toolkit's choice alone
    std::string problem;  // one line saying why the bar cannot start; empty when it can
};

// The bar places itself, stays on top and keeps out of the taskbar through X11 window-manager
// hints, so in a Wayland session it runs through XWayland. A platform the user named wins.
DisplayChoice chooseDisplay(const char* qpaPlatform, const char* display,
                            const char* waylandDisplay);

} // namespace veskor
