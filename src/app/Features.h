#pragma once
// The one list of the program's features (FeatureList.h) and what is gathered from it: the
// command line's commands and words, the bar's side panels and the features' settings keys.

#include "app/CommandLine.h"
#include "ui/Feature.h"

#include <vector>

namespace veskor {

// Every feature, in FeatureList.h's order.
std::vector<Feature> allFeatures();

// The bar's own command, then every feature's, in --help's order.
std::vector<CommandDescription> allCommands(const std::vector<Feature>& features);

// What --help and the parser know: the commands, the side panels' words and the memory row's,
// and the windows --window draws.
CommandWords commandWords(const std::vector<Feature>& features);

// Every side panel, in the menu's order.
std::vector<SidePanelDescription> sidePanels(const std::vector<Feature>& features);

// The values the features keep in the settings key, read at start with the bar's own.
std::vector<SettingKey> settingKeys(const std::vector<Feature>& features);

// The window --window names, which the parser took from the same list; nullptr for another word.
const ScreenshotWindow* findWindow(const std::vector<Feature>& features, const std::string& word);

} // namespace veskor
