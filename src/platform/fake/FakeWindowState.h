#pragma once
#include "platform/WindowState.h"

#include <vector>

namespace veskor {

// Records every request, in order.
class FakeWindowState final : public IWindowState {
public:
    struct Call {
        std::uintptr_t window;
        bool stayOnTop; // for HideFromTaskbar: always true
        bool taskbar;
    };
    void setStayOnTop(std::uintptr_t window, bool stayOnTop) override {
        calls.push_back({window, stayOnTop, false});
    }
    void hideFromTaskbar(std::uintptr_t window) override { calls.push_back({window, true, true}); }
    std::optional<std::pair<int, int>> screenPosition(std::uintptr_t /*window*/) override {
        return position;
    }

    std::vector<Call> calls;
    std::optional<std::pair<int, int>> position; // where the display server has the window
};

} // namespace veskor
