#pragma once
// The scope's four stored options, and the step period the interval in milliseconds gives.

#include "feature/Settings.h"
#include "platform/SettingsStore.h"

#include <vector>

namespace veskor {

struct ScopeSettings {
    bool active = false;   // "MemoryScan": the scope running
    bool physical = false; // "PMScan": trace 1, free physical memory
    bool swap = false;     // "PFScan": trace 2, free swap
    int intervalMs = 1000; // "Scan": the step period shown in the spin box

    bool operator==(const ScopeSettings&) const = default;
};

// The shortest period the interval box offers: below it the period would round down to no
// steps at all, and a running scope would stand still.
inline constexpr int kMinIntervalMs = 10;

// The four values with their defaults, read at start with the bar's own.
std::vector<SettingKey> scopeSettingKeys();

// The scope starts from what was read at start; a value not read keeps its default.
ScopeSettings scopeSettingsOf(const SettingValues& values);

// Stores the four values (the interval at least kMinIntervalMs). False when they could not be
// written.
bool writeScopeSettings(ISettingsStore& store, const ScopeSettings& settings);

// The step period in tens of milliseconds for an interval in milliseconds: rounded half to even,
// at least kMinIntervalMs, then divided by 10 (1000 -> 100, 1005 -> 100, 5 -> 1).
int intervalTicksOf(double ms);

// The interval as the spin box holds it: rounded, at least kMinIntervalMs.
int spinIntervalOf(double ms);

} // namespace veskor
