#pragma once
// The bar's stored options and the order in which they are read and written.

#include "platform/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace veskor {

struct TBarSettings {
    int Top = 0;
    std::optional<int> Left; // absent: the right edge of the screen
    bool StayOnTop = true;
    bool Memory = false;     // memory row shown
    bool MemoryScan = false; // scope running
    bool PMScan = false;     // scope trace 1, physical memory
    bool PFScan = false;     // scope trace 2, page file
    int Scan = 1000;         // scope sampling interval, milliseconds
};

struct SettingsReadResult {
    bool keyAvailable = true;        // false: the key could neither be found nor created
    std::vector<std::string> errors; // one message per value of the wrong type
};

// Reads every value that exists, in table order, into settings. A value of the wrong type keeps
// its default and is reported; the remaining values are still read. Writes nothing but the
// empty key on first run.
SettingsReadResult ReadBarSettings(ISettingsStore& store, TBarSettings& settings);

// Writes all eight values (an unset Left as 0). False when they could not be stored.
bool WriteBarSettings(ISettingsStore& store, const TBarSettings& settings);

} // namespace veskor
