// The memory usage scope as a feature of the bar: running from start-up on the bar's memory
// feed, with its side panel and its settings keys. Registered by app/.

#include "scope/core/ScopeSettings.h"
#include "scope/widgets/MemoryScope.h"
#include "scope/widgets/ScopePanel.h"
#include "ui/Feature.h"

namespace veskor {

Feature scopeFeature() {
    // The panel is built after attach, which makes the scope.
    auto scope = std::make_shared<MemoryScope*>(nullptr);
    Feature feature;
    feature.settingKeys = scopeSettingKeys();
    feature.sidePanels = {scopeSidePanel([scope]() -> MemoryScope& { return **scope; })};
    feature.attach = [scope](BarLink& bar, const FeatureServices& services) {
        *scope = &connectScope(bar, &services.settings);
        return std::vector<MenuEntry>{};
    };
    return feature;
}

} // namespace veskor
