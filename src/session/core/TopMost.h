#pragma once
// Keeps a window above ordinary windows, or not. The state is applied when it changes; setting
// the current value again asks nothing of the window manager.

#include "platform/WindowState.h"

#include <cstdint>
#include <functional>

namespace veskor {

class TTopMost {
public:
    // Starts topmost and applies that at once, as the bar's window is created.
    TTopMost(IWindowState& windowState, std::function<std::uintptr_t()> window);

    [[nodiscard]] bool TopMost() const { return topMost_; }
    void SetTopMost(bool topMost);
    // Applies the current state again (the window manager forgets it when a window is unmapped).
    void Apply();

private:
    IWindowState& windowState_;
    std::function<std::uintptr_t()> window_;
    bool topMost_ = true;
};

} // namespace veskor
