// System information as a feature of the bar: its side panel and the `sysinfo` command.
// Registered by app/.

#include "sysinfo/widgets/SystemInfoCommands.h"
#include "sysinfo/widgets/SystemInfoPanel.h"
#include "ui/Feature.h"
#include "ui/SidePanel.h"

namespace veskor {

Feature sysinfoFeature() {
    // The panel is built after attach, which gives it the machine's facts.
    auto sources = std::make_shared<SystemInfoSources>();
    SidePanelDescription panel = systemInfoSidePanel();
    panel.buildContent = [sources](SidePanel& frame) {
        if (const auto build = systemInfoSidePanel(*sources).buildContent) {
            build(frame);
        }
    };
    Feature feature;
    feature.commands = systemInfoCommands();
    feature.sidePanels = {std::move(panel)};
    feature.attach = [sources](BarLink& /*bar*/, const FeatureServices& services) {
        *sources = {services.systemFacts, services.screenFacts, services.processor};
        return std::vector<MenuEntry>{};
    };
    return feature;
}

} // namespace veskor
