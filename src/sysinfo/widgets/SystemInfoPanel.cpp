#include "sysinfo/widgets/SystemInfoPanel.h"

namespace veskor {

SidePanelDescription systemInfoSidePanel() {
    SidePanelDescription panel;
    panel.word = "sysinfo";
    panel.menuText = "System Information";
    panel.title = "System information";
    panel.height = 229;
    panel.firstTop = 208;
    panel.toggledByDoubleClickOn = {BarCell::FreePhysical, BarCell::FreeSwap, BarCell::FreeShare};
    return panel;
}

} // namespace veskor
