// The name-days as a feature of the bar: "Edit Sain's Days..." in the menu and on the name-day
// cell, the name-day commands, and the editor drawn for pictures. Registered by app/.

#include "common/Error.h"
#include "namedays/core/SaintFile.h"
#include "namedays/widgets/NameDayCommands.h"
#include "namedays/widgets/SaintEditorWindow.h"
#include "ui/BarLink.h"
#include "ui/Feature.h"
#include "ui/StatusCell.h"

#include <QCoreApplication>

namespace veskor {

namespace {

BuiltWindow saintEditorWindow(const WindowSources& sources) {
    auto saints = std::make_shared<SaintTable>();
    try {
        loadSaints(*saints, sources.services.files, sources.services.dataDir / kSaintFileName);
    } catch (const Error& error) {
        sources.err << error.what() << '\n'; // the built-in list stays, as in the bar
    }
    auto window = std::make_unique<SaintEditorWindow>(*saints);
    window->show();
    return {saints, std::move(window)};
}

std::vector<MenuEntry> attachNameDays(BarLink& bar, const FeatureServices& services) {
    const auto edit = [&bar, &files = services.files] {
        editSaints(
            bar.saints(), files, bar.saintFilePath(),
            [&bar](const QString& text) { bar.report(text); }, bar.windowParent());
    };
    QObject::connect(bar.cell(BarCell::Saint), &StatusCell::doubleClicked, &bar, edit);
    return {{{MenuPlace::Section::Tools, 3},
             QCoreApplication::translate("NameDaysFeature", "Edit Sain's Days..."),
             edit}};
}

} // namespace

Feature namedaysFeature() {
    Feature feature;
    feature.commands = nameDayCommands();
    feature.windows = {{{"saints"}, saintEditorWindow}};
    feature.attach = attachNameDays;
    return feature;
}

} // namespace veskor
