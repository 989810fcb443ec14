#pragma once
// The features the bar shows: their side panels, registered here and nowhere else.

#include "ui/SidePanelDescription.h"

#include <filesystem>
#include <string>
#include <vector>

namespace veskor {

class BarWindow;
class LinuxServices;

// Every side panel of the bar, in the order of their menu items.
std::vector<SidePanelDescription> sidePanels();

// The windows the bar asks for and the features that live on its tick, wired to the bar.
void connectFeatures(BarWindow& bar, LinuxServices& services, const std::filesystem::path& dataDir);

// The words --panel takes: every side panel's and the memory row's.
std::vector<std::string> panelWords(const std::vector<SidePanelDescription>& panels);

} // namespace veskor
