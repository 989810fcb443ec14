// The calculator as a feature of the bar: its side panel and the `calc` command. Registered by
// app/.

#include "calc/widgets/CalcCommands.h"
#include "calc/widgets/CalculatorPanel.h"
#include "ui/Feature.h"

namespace veskor {

Feature calcFeature() {
    Feature feature;
    feature.commands = calcCommands();
    feature.sidePanels = {calculatorSidePanel()};
    return feature;
}

} // namespace veskor
