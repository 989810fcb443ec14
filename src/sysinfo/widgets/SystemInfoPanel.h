#pragma once
#include "ui/SidePanelDescription.h"

namespace veskor {

// The system information side panel, opened from the menu or by a double click on a memory cell.
SidePanelDescription systemInfoSidePanel();

} // namespace veskor
