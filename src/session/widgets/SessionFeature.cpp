// The end of the desktop session as a feature of the bar: "Shutdown", "Log Off" and "Reboot" at
// the end of the menu. Registered by app/.

#include "session/widgets/SessionCommands.h"
#include "ui/BarLink.h"
#include "ui/Feature.h"

#include <QCoreApplication>

namespace veskor {

namespace {

std::vector<MenuEntry> attachSession(BarLink& bar, const FeatureServices& services) {
    using Section = MenuPlace::Section;
    std::vector<MenuEntry> entries{
        {{Section::Session, 1}, QCoreApplication::translate("SessionFeature", "Shutdown"), {}},
        {{Section::Session, 2}, QCoreApplication::translate("SessionFeature", "Log Off"), {}},
        {{Section::Session, 3}, QCoreApplication::translate("SessionFeature", "Reboot"), {}}};
    // A picture of the bar does not reach the session's service.
    if (!services.live) {
        return entries;
    }
    QWidget* window = bar.windowParent();
    auto* commands = new SessionCommands(services.session, *window);
    // The bar's own close puts the desktop panel back before the session ends.
    QObject::connect(commands, &SessionCommands::logOffAccepted, window, &QWidget::close);
    entries[0].triggered = [commands] { commands->shutdown(); };
    entries[1].triggered = [commands] { commands->logOff(); };
    entries[2].triggered = [commands] { commands->reboot(); };
    return entries;
}

} // namespace

Feature sessionFeature() {
    Feature feature;
    feature.attach = attachSession;
    return feature;
}

} // namespace veskor
