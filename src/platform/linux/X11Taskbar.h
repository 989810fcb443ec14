#pragma once
#include "platform/Taskbar.h"

#include <cstdint>
#include <vector>

namespace veskor {

// The panels of an X11 desktop are the top-level windows of type _NET_WM_WINDOW_TYPE_DOCK.
// Hiding withdraws them (unmap); showing maps again exactly the ones this object hid, so a
// panel that hides itself (auto-hide) is never forced onto the screen.
class X11Taskbar final : public ITaskbar {
public:
    bool setVisible(bool show) override;

private:
    std::vector<std::uint32_t> m_hidden;
};

} // namespace veskor
