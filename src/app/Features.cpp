#include "app/Features.h"

#include "app/DayCommand.h"

#include <algorithm>
#include <iterator>

namespace veskor {

#define VESKOR_FEATURE(name) Feature name##Feature();
#include "app/FeatureList.h"
#undef VESKOR_FEATURE

std::vector<Feature> allFeatures() {
    return {
#define VESKOR_FEATURE(name) name##Feature(),
#include "app/FeatureList.h"
#undef VESKOR_FEATURE
    };
}

namespace {

// Every feature's `part`, one list after the other.
template <typename Part>
std::vector<Part> gathered(const std::vector<Feature>& features, std::vector<Part> Feature::*part) {
    std::vector<Part> all;
    for (const Feature& feature : features) {
        std::ranges::copy(feature.*part, std::back_inserter(all));
    }
    return all;
}

} // namespace

std::vector<CommandDescription> allCommands(const std::vector<Feature>& features) {
    std::vector<CommandDescription> commands{dayCommand()};
    std::ranges::move(gathered(features, &Feature::commands), std::back_inserter(commands));
    return commands;
}

CommandWords commandWords(const std::vector<Feature>& features) {
    CommandWords words{allCommands(features), {}, {}};
    for (const SidePanelDescription& panel : sidePanels(features)) {
        words.panels.push_back(panel.word.toStdString());
    }
    words.panels.emplace_back("memory");
    for (const ScreenshotWindow& window : gathered(features, &Feature::windows)) {
        words.windows.push_back(window.word);
    }
    return words;
}

std::vector<SidePanelDescription> sidePanels(const std::vector<Feature>& features) {
    return gathered(features, &Feature::sidePanels);
}

std::vector<SettingKey> settingKeys(const std::vector<Feature>& features) {
    return gathered(features, &Feature::settingKeys);
}

const ScreenshotWindow* findWindow(const std::vector<Feature>& features, const std::string& word) {
    for (const Feature& feature : features) {
        for (const ScreenshotWindow& window : feature.windows) {
            if (window.word.word == word) {
                return &window;
            }
        }
    }
    return nullptr;
}

} // namespace veskor
