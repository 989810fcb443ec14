#pragma once
// The bar on fakes for the machine, as the bar's, the features' and the benchmark's tests build
// it: a clock standing still, the memory figures, the settings key, the window's states, the
// desktop panel and the data files; what the bar reports is kept in `reports`. A feature is put
// on it as app/ puts every feature there.

#include "bar/widgets/BarWindow.h"
#include "platform/FixedClock.h"
#include "platform/fake/FakeBeep.h"
#include "platform/fake/FakeFileStore.h"
#include "platform/fake/FakeMemoryInfo.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeTaskbar.h"
#include "platform/fake/FakeWindowState.h"
#include "ui/Feature.h"

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <memory>

namespace veskor::test {

struct BarRig {
    FixedClock clock{encodeDate(1998, 7, 6)};
    FakeMemoryInfo memory;
    FakeSettingsStore settings;
    FakeWindowState windowState;
    FakeTaskbar taskbar;
    FakeFileStore files;
    FakeBeep beep;
    QStringList reports;
    std::filesystem::path dataDir = "/data";
    std::unique_ptr<BarWindow> bar;

    BarServices services() {
        return {clock,
                memory,
                settings,
                windowState,
                taskbar,
                files,
                LocaleFormat::english(),
                dataDir,
                [this](const QString& text) { reports << text; }};
    }
    // What the features get besides the bar; a test adds the services its feature asks for.
    FeatureServices featureServices() {
        return {clock, files, beep, nullptr, settings, {}, {}, {}, {}, {}, dataDir, true};
    }

    BarWindow& make(std::vector<SidePanelDescription> panels = {},
                    std::vector<SettingKey> featureKeys = {}) {
        bar.reset(); // one bar at a time, as in the program
        bar = std::make_unique<BarWindow>(services(), std::move(panels), std::move(featureKeys));
        return *bar;
    }
    BarWindow& make(const Feature& feature, const FeatureServices& served) {
        make(feature.sidePanels, feature.settingKeys);
        if (feature.attach) {
            bar->addMenuEntries(feature.attach(bar->link(), served));
        }
        return *bar;
    }

    // The menu's item with this text, or nullptr.
    [[nodiscard]] QAction* action(const QString& text) const {
        for (QAction* each : bar->menu()->actions()) {
            if (each->text() == text) {
                return each;
            }
        }
        return nullptr;
    }
    // Triggers the menu's item; false when there is none.
    [[nodiscard]] bool click(const QString& text) const {
        QAction* item = action(text);
        if (item != nullptr) {
            item->trigger();
        }
        return item != nullptr;
    }
};

} // namespace veskor::test
