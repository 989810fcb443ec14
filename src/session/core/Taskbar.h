#pragma once
#include "platform/Taskbar.h"

namespace veskor {

// Shows or hides the desktop's panels; false when the desktop has none.
inline bool SetTaskbarVisible(ITaskbar& taskbar, bool show) {
    return taskbar.SetVisible(show);
}

} // namespace veskor
