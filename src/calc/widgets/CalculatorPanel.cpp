#include "calc/widgets/CalculatorPanel.h"

namespace veskor {

SidePanelDescription calculatorSidePanel() {
    SidePanelDescription panel;
    panel.word = "calculator";
    panel.menuText = "Calculator";
    panel.title = "Calculator";
    panel.height = 73;
    panel.firstTop = 212;
    return panel;
}

} // namespace veskor
