#include "calendar/widgets/CalendarPanel.h"

namespace veskor {

SidePanelDescription calendarSidePanel() {
    SidePanelDescription panel;
    panel.word = "calendar";
    panel.menuText = "Calendar";
    panel.title = "Calendar";
    panel.height = 264;
    panel.firstTop = 41;
    panel.toggledByDoubleClickOn = {BarCell::Date};
    return panel;
}

} // namespace veskor
