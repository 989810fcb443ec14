// The calendar as a feature of the bar: its side panel, reading the bar's clock and name-day
// table, and the calendar commands. Registered by app/.

#include "calendar/widgets/CalendarCommands.h"
#include "calendar/widgets/CalendarPanel.h"
#include "ui/BarLink.h"
#include "ui/Feature.h"

namespace veskor {

Feature calendarFeature() {
    // The panel is built after attach, which tells it the bar.
    auto bar = std::make_shared<BarLink*>(nullptr);
    Feature feature;
    feature.commands = calendarCommands();
    feature.sidePanels = {
        calendarSidePanel({[bar] { return (*bar)->now(); },
                           [bar]() -> const SaintTable& { return (*bar)->saints(); }})};
    feature.attach = [bar](BarLink& link, const FeatureServices& /*services*/) {
        *bar = &link;
        return std::vector<MenuEntry>{};
    };
    return feature;
}

} // namespace veskor
