#pragma once
// The bar's stored options and the order in which they are read and written.

#include "feature/Settings.h"
#include "platform/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace veskor {

struct BarSettings {
    int top = 0;             // "Top"
    std::optional<int> left; // "Left"; absent: the right edge of the screen
    bool stayOnTop = true;   // "StayOnTop"
    bool memoryRow = false;  // "Memory": the memory row shown
};

struct SettingsReadResult {
    bool keyAvailable = true;        // false: the key could neither be found nor created
    std::vector<std::string> errors; // one message per value of the wrong type
};

// Reads every value that exists, the bar's own in table order and then the features' keys, into
// settings and featureValues. A value of the wrong type keeps its default and is reported; the
// remaining values are still read. Writes nothing but the empty key on first run.
SettingsReadResult readBarSettings(ISettingsStore& store, BarSettings& settings,
                                   const std::vector<SettingKey>& featureKeys = {},
                                   SettingValues* featureValues = nullptr);

// Writes the bar's own four values (an unset Left as 0); the features' values are theirs to
// write, as the user changes them, so the values read at start never overwrite newer ones.
// False when they could not be stored.
bool writeBarSettings(ISettingsStore& store, const BarSettings& settings);

} // namespace veskor
