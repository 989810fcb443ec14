#include "scope/core/ScopeSettings.h"

#include "scope/core/TraceGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veskor {

std::vector<SettingKey> scopeSettingKeys() {
    const ScopeSettings defaults;
    return {{"MemoryScan", defaults.active ? 1 : 0},
            {"PMScan", defaults.physical ? 1 : 0},
            {"PFScan", defaults.swap ? 1 : 0},
            {"Scan", defaults.intervalMs}};
}

ScopeSettings scopeSettingsOf(const SettingValues& values) {
    const ScopeSettings defaults;
    return {settingValue(values, "MemoryScan", defaults.active ? 1 : 0) != 0,
            settingValue(values, "PMScan", defaults.physical ? 1 : 0) != 0,
            settingValue(values, "PFScan", defaults.swap ? 1 : 0) != 0,
            spinIntervalOf(settingValue(values, "Scan", defaults.intervalMs))};
}

bool writeScopeSettings(ISettingsStore& store, const ScopeSettings& s) {
    return store.writeIntegers({
        {"MemoryScan", s.active ? 1 : 0},
        {"PMScan", s.physical ? 1 : 0},
        {"PFScan", s.swap ? 1 : 0},
        {"Scan", spinIntervalOf(s.intervalMs)},
    });
}

int spinIntervalOf(double ms) {
    if (std::isnan(ms)) {
        return kMinIntervalMs;
    }
    constexpr double kLargest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(roundHalfEven(ms), double{kMinIntervalMs}, kLargest));
}

int intervalTicksOf(double ms) {
    return spinIntervalOf(ms) / 10;
}

} // namespace veskor
