#include "bar/core/BarSettings.h"

#include "common/Error.h"

#include <functional>

namespace veskor {

namespace {

void ReadValue(ISettingsStore& store, const char* name, SettingsReadResult& result,
               const std::function<void(std::int32_t)>& apply) {
    try {
        if (const auto value = store.ReadInteger(name)) {
            apply(*value);
        }
    } catch (const Error& e) {
        result.errors.emplace_back(e.what());
    }
}

} // namespace

SettingsReadResult ReadBarSettings(ISettingsStore& store, TBarSettings& s) {
    SettingsReadResult result;
    result.keyAvailable = store.EnsureKey();
    if (!result.keyAvailable) {
        return result;
    }
    ReadValue(store, "Top", result, [&](std::int32_t v) { s.Top = v; });
    ReadValue(store, "Left", result, [&](std::int32_t v) { s.Left = v; });
    ReadValue(store, "StayOnTop", result, [&](std::int32_t v) { s.StayOnTop = v != 0; });
    ReadValue(store, "Memory", result, [&](std::int32_t v) { s.Memory = v != 0; });
    ReadValue(store, "MemoryScan", result, [&](std::int32_t v) { s.MemoryScan = v != 0; });
    ReadValue(store, "PMScan", result, [&](std::int32_t v) { s.PMScan = v != 0; });
    ReadValue(store, "PFScan", result, [&](std::int32_t v) { s.PFScan = v != 0; });
    ReadValue(store, "Scan", result, [&](std::int32_t v) { s.Scan = v; });
    return result;
}

bool WriteBarSettings(ISettingsStore& store, const TBarSettings& s) {
    return store.WriteIntegers({
        {"Top", s.Top},
        {"Left", s.Left.value_or(0)},
        {"StayOnTop", s.StayOnTop ? 1 : 0},
        {"Memory", s.Memory ? 1 : 0},
        {"MemoryScan", s.MemoryScan ? 1 : 0},
        {"PMScan", s.PMScan ? 1 : 0},
        {"PFScan", s.PFScan ? 1 : 0},
        {"Scan", s.Scan},
    });
}

} // namespace veskor
