#pragma once
#include "platform/WindowState.h"

namespace veskor {

// EWMH window states over Qt's own X11 connection. Without an X11 connection (offscreen,
// Wayland) every call does nothing.
class X11WindowState final : public IWindowState {
public:
    void setStayOnTop(std::uintptr_t window, bool stayOnTop) override;
    void hideFromTaskbar(std::uintptr_t window) override;
    std::optional<std::pair<int, int>> screenPosition(std::uintptr_t window) override;
};

} // namespace veskor
