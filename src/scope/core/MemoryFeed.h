#pragma once
// What one tick of the bar gives the scope: the figures of its two memory traces and the captions
// of their check boxes.

#include "common/MemoryStatus.h"
#include "scope/core/ScopeSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veskor {

// A trace's new value and the upper end of its range, in KB (the lower end stays 0).
struct TraceSample {
    std::int64_t position = 0;
    std::int64_t max = 0;

    bool operator==(const TraceSample&) const = default;
};

struct MemoryFeed {
    std::optional<TraceSample> physical; // trace 1, set when it is on
    std::optional<TraceSample> swap;     // trace 2, set when it is on
    std::string physicalCaption;         // "6,752 KB of 64,696 KB", or "<not active>"
    std::string swapCaption;
};

// The feed for the scope's current options. A stopped scope gets no samples and "<not active>"
// on both boxes; a running one needs the memory status, and without it nothing changes
// (nullopt).
std::optional<MemoryFeed> memoryFeed(const ScopeSettings& settings,
                                     const std::optional<MemoryStatus>& memory,
                                     std::string_view thousandsSeparator);

} // namespace veskor
