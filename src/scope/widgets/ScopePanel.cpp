#include "scope/widgets/ScopePanel.h"

namespace veskor {

SidePanelDescription scopeSidePanel() {
    SidePanelDescription panel;
    panel.word = "scope";
    panel.menuText = "Memory Usage Scope";
    panel.title = "Memory usage scope";
    panel.height = 191;
    panel.firstTop = 354;
    return panel;
}

} // namespace veskor
