#pragma once
// The texts of the bar's two rows, rebuilt from the clock and the memory figures every second.

#include "common/DatePattern.h"
#include "common/MemoryStatus.h"
#include "namedays/core/SaintTable.h"

#include <optional>
#include <string>

namespace veskor {

// All texts UTF-8; hints keep "\r\n" between their lines.
struct DateRowTexts {
    std::string date;     // the date cell, e.g. "Mo, 6.7. 1998"
    std::string dateHint; // " Day of year: 187 \r\n Week: 28 "
    std::string time;     // the time cell, "hh:mm:ss"
    // The name-day cell's caption and hint. A name-day table too short for a day leaves the
    // text as it was (nullopt): today's name still shows when only tomorrow's is missing.
    std::optional<std::string> saint;     // today's name-day
    std::optional<std::string> tomorrow;  // tomorrow's name-day
    std::optional<std::string> saintHint; // " Tomorrow saint: ... "
    std::string error; // the failed name-day lookup (table too short), once per tick
};

struct MemRowTexts {
    std::string freeShare;    // free share of memory, "37%"
    std::string freePhysical; // free physical memory, "#,##0 KB"
    std::string freePhysicalHint;
    std::string freeSwap; // free swap, " #,##0 KB "
    std::string freeSwapHint;
};

// The weekday abbreviation of the date cell: the first two characters of the full weekday
// name, the first one upper-cased when it is a letter a to z.
std::string weekdayAbbreviation(DateTime date, const LocaleFormat& locale);

DateRowTexts computeDateRow(DateTime now, const SaintTable& saints, const LocaleFormat& locale);
MemRowTexts computeMemRow(const MemoryStatus& status, const LocaleFormat& locale);

// Milliseconds from a wall-clock time with the given millisecond part until just after the
// next second begins, so that each tick lands on a fresh second (never skipping or repeating
// one, as a free-running 1000 ms timer does when it drifts).
constexpr int kTickMarginMs = 3;
constexpr int msUntilNextTick(int msecOfSecond) {
    return 1000 - msecOfSecond + kTickMarginMs;
}

} // namespace veskor
