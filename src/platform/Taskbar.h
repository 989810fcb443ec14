#pragma once

namespace veskor {

// The desktop's panels (the taskbar and its kin).
class ITaskbar {
public:
    virtual ~ITaskbar() = default;
    // Hides (false) or shows again (true) the desktop's panels; false when there is none.
    virtual bool setVisible(bool show) = 0;
};

} // namespace veskor
