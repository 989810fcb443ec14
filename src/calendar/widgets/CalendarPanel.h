#pragma once
#include "ui/SidePanelDescription.h"

namespace veskor {

// The calendar side panel, opened from the menu or by a double click on the date cell.
SidePanelDescription calendarSidePanel();

} // namespace veskor
