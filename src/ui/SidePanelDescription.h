#pragma once
// How a feature describes its side panel to the bar: the bar builds the panel's frame from this
// when the panel is first opened, and never needs to know what the panel shows.

#include <QString>
#include <functional>
#include <vector>

namespace veskor {

class SidePanel;

// The bar's six cells, by what they show.
enum class BarCell { Date, Saint, Time, FreePhysical, FreeSwap, FreeShare };

struct SidePanelDescription {
    QString word;     // names the panel on the command line: --panel WORD
    QString menuText; // the check item in the bar's menu
    QString title;    // the panel's own title
    int height = 0;   // pixels
    int firstTop = 0; // its top before it was ever shown, which places it in the stack
    // Cells whose double click opens and closes the panel, as the menu item does.
    std::vector<BarCell> toggledByDoubleClickOn;
    // Fills the panel's contentRect(); without it the panel shows its frame and title only.
    std::function<void(SidePanel& panel)> buildContent;
};

} // namespace veskor
