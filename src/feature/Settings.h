#pragma once
// The values a feature keeps in the program's settings key: it names them with their defaults,
// and the bar reads them at start together with its own.

#include "platform/SettingsStore.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace veskor {

struct SettingKey {
    std::string name; // the value's name in the key
    std::int32_t defaultValue = 0;
};

// The values read at start, by name.
using SettingValues = std::map<std::string, std::int32_t, std::less<>>;

// Reads the keys in their order: each starts at its default, and a stored value replaces it. A
// value of the wrong type keeps the default and adds its message to errors.
void readSettingKeys(ISettingsStore& store, const std::vector<SettingKey>& keys,
                     SettingValues& values, std::vector<std::string>& errors);

// The value read for name; `fallback` when it was not among the keys read.
std::int32_t settingValue(const SettingValues& values, const std::string& name,
                          std::int32_t fallback);

} // namespace veskor
