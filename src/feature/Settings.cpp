#include "feature/Settings.h"

#include "common/Error.h"

namespace veskor {

void readSettingKeys(ISettingsStore& store, const std::vector<SettingKey>& keys,
                     SettingValues& values, std::vector<std::string>& errors) {
    for (const SettingKey& key : keys) {
        values[key.name] = key.defaultValue;
        try {
            if (const std::optional<std::int32_t> value = store.readInteger(key.name)) {
                values[key.name] = *value;
            }
        } catch (const Error& e) {
            errors.emplace_back(e.what());
        }
    }
}

std::int32_t settingValue(const SettingValues& values, const std::string& name,
                          std::int32_t fallback) {
    const auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
}

} // namespace veskor
