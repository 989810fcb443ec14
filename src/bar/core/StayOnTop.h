#pragma once
// Keeps a window above ordinary windows, or not. The state is applied when it changes; setting
// the current value again asks nothing of the window manager.

#include "platform/WindowState.h"

#include <cstdint>
#include <functional>

namespace veskor {

class StayOnTop {
public:
    // Starts on top and applies that at once, as the bar's window is created.
    explicit StayOnTop(IWindowState& windowState, std::function<std::uintptr_t()> window);

    [[nodiscard]] bool isStayOnTop() const { return m_stayOnTop; }
    void setStayOnTop(bool stayOnTop);
    // Applies the current state again (the window manager forgets it when a window is unmapped).
    void apply();

private:
    IWindowState& m_windowState;
    std::function<std::uintptr_t()> m_window;
    bool m_stayOnTop = true;
};

} // namespace veskor
