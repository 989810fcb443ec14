#include "app/Features.h"

#include "calc/widgets/CalculatorPanel.h"
#include "calendar/widgets/CalendarPanel.h"
#include "scope/widgets/ScopePanel.h"
#include "sysinfo/widgets/SystemInfoPanel.h"

namespace veskor {

std::vector<SidePanelDescription> sidePanels() {
    return {
        calendarSidePanel(),
        systemInfoSidePanel(),
        scopeSidePanel(),
        calculatorSidePanel(),
    };
}

std::vector<std::string> panelWords(const std::vector<SidePanelDescription>& panels) {
    std::vector<std::string> words;
    for (const SidePanelDescription& panel : panels) {
        words.push_back(panel.word.toStdString());
    }
    words.emplace_back("memory");
    return words;
}

} // namespace veskor
