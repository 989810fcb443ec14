#pragma once
#include "ui/SidePanelDescription.h"

namespace veskor {

class BarWindow;
class ISettingsStore;
class MemoryScope;

// The memory usage scope side panel: the scope with its start/stop box, interval and trace
// boxes. It shows the bar's scope (see connectScope); a bar without one gets one whose changes
// are not saved.
SidePanelDescription scopeSidePanel();

// Gives the bar its memory scope, running from start-up as the bar's settings say: fed on every
// tick, asking the bar for the memory status while it runs, and saving its options to settings
// (nullptr: not saved). Owned by the bar.
MemoryScope& connectScope(BarWindow& bar, ISettingsStore* settings);

} // namespace veskor
