// Fuzz target for the time-of-day parser: any text gives nullopt or a time within the day; a
// parsed time reads the same again once written as "h:mm:ss", and blanks around it change
// nothing.

#include "alarms/core/AlarmList.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<veskor::DateTime> time = veskor::parseTimeOfDay(text);
    if (!time) {
        return 0;
    }
    check(*time >= 0.0 && *time < 1.0);
    check(veskor::parseTimeOfDay(" " + std::string(text) + " ") == time);
    const long seconds = std::lround(*time * 86400.0);
    char written[64];
    std::snprintf(written, sizeof written, "%ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    const std::optional<veskor::DateTime> again = veskor::parseTimeOfDay(written);
    check(again && std::lround(*again * 86400.0) == seconds);
    return 0;
}
