#pragma once
#include <cstdint>
#include <optional>
#include <utility>

namespace veskor {

// Window-manager states of a top-level window, by its native id.
class IWindowState {
public:
    virtual ~IWindowState() = default;
    // Keeps the window above ordinary windows (true) or puts it back among them (false).
    virtual void setStayOnTop(std::uintptr_t window, bool stayOnTop) = 0;
    // Keeps the window out of task lists and pagers; the window manager may drop this on unmap,
    // so it is applied after every map.
    virtual void hideFromTaskbar(std::uintptr_t window) = 0;
    // Where the window's top left corner is on the screen, as the display server has it;
    // nullopt when the platform cannot tell.
    virtual std::optional<std::pair<int, int>> screenPosition(std::uintptr_t window) = 0;
};

} // namespace veskor
