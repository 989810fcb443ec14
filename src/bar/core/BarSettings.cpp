#include "bar/core/BarSettings.h"

#include "common/Error.h"

#include <functional>

namespace veskor {

namespace {

void readValue(ISettingsStore& store, const char* name, SettingsReadResult& result,
               const std::function<void(std::int32_t)>& apply) {
    try {
        if (const auto value = store.readInteger(name)) {
            apply(*value);
        }
    } catch (const Error& e) {
        result.errors.emplace_back(e.what());
    }
}

} // namespace

SettingsReadResult readBarSettings(ISettingsStore& store, BarSettings& s,
                                   const std::vector<SettingKey>& featureKeys,
                                   SettingValues* featureValues) {
    SettingsReadResult result;
    result.keyAvailable = store.ensureKey();
    if (!result.keyAvailable) {
        return result;
    }
    readValue(store, "Top", result, [&](std::int32_t v) { s.top = v; });
    readValue(store, "Left", result, [&](std::int32_t v) { s.left = v; });
    readValue(store, "StayOnTop", result, [&](std::int32_t v) { s.stayOnTop = v != 0; });
    readValue(store, "Memory", result, [&](std::int32_t v) { s.memoryRow = v != 0; });
    SettingValues values;
    readSettingKeys(store, featureKeys, featureValues != nullptr ? *featureValues : values,
                    result.errors);
    return result;
}

bool writeBarSettings(ISettingsStore& store, const BarSettings& s) {
    return store.writeIntegers({
        {"Top", s.top},
        {"Left", s.left.value_or(0)},
        {"StayOnTop", s.stayOnTop ? 1 : 0},
        {"Memory", s.memoryRow ? 1 : 0},
    });
}

} // namespace veskor
