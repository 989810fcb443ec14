#pragma once
#include "ui/SidePanelDescription.h"

namespace veskor {

// The memory usage scope side panel.
SidePanelDescription scopeSidePanel();

} // namespace veskor
