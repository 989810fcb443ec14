#pragma once
// The features the bar shows: their side panels, registered here and nowhere else.

#include "ui/SidePanelDescription.h"

#include <string>
#include <vector>

namespace veskor {

// Every side panel of the bar, in the order of their menu items.
std::vector<SidePanelDescription> sidePanels();

// The words --panel takes: every side panel's and the memory row's.
std::vector<std::string> panelWords(const std::vector<SidePanelDescription>& panels);

} // namespace veskor
