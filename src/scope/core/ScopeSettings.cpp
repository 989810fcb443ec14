#include "scope/core/ScopeSettings.h"

#include "scope/core/TraceGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veskor {

ScopeSettings scopeSettingsOf(const BarSettings& bar) {
    return {bar.scopeActive, bar.scopePhysical, bar.scopeSwap, spinIntervalOf(bar.scopeInterval)};
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
