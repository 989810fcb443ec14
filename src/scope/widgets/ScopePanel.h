#pragma once
#include "ui/SidePanelDescription.h"

#include <functional>

namespace veskor {

class BarLink;
class ISettingsStore;
class MemoryScope;

// The memory usage scope side panel: the scope `scope` gives, with its start/stop box, interval
// and trace boxes. Asked for when the panel is first opened; without it the panel is empty.
SidePanelDescription scopeSidePanel(std::function<MemoryScope&()> scope = {});

// Gives the bar its memory scope, running from start-up as the settings read at start say: fed
// on every tick, asking for the memory status while it runs, and saving its options to settings
// (nullptr: not saved). Owned by the bar's window.
MemoryScope& connectScope(BarLink& bar, ISettingsStore* settings);

} // namespace veskor
