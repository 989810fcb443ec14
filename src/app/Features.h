#pragma once
// The features the bar shows: their side panels, registered here and nowhere else.

#include "calendar/widgets/CalendarPanel.h"
#include "ui/SidePanelDescription.h"

#include <filesystem>
#include <string>
#include <vector>

namespace veskor {

class BarWindow;
class LinuxServices;

// Every side panel of the bar, in the order of their menu items. The sources are read only when
// a panel is opened; the command line asks for the panels' words without them.
std::vector<SidePanelDescription> sidePanels(const CalendarSources& calendar = {});

// What the calendar reads: the services' clock and, once it exists, the bar's name-day table.
CalendarSources calendarSources(LinuxServices& services, BarWindow* const& bar);

// The windows the bar asks for and the features that live on its tick, wired to the bar.
void connectFeatures(BarWindow& bar, LinuxServices& services, const std::filesystem::path& dataDir);

// The words --panel takes: every side panel's and the memory row's.
std::vector<std::string> panelWords(const std::vector<SidePanelDescription>& panels);

} // namespace veskor
