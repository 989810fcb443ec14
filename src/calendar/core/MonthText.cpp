#include "calendar/core/MonthText.h"

#include "common/DateTime.h"
#include "common/DateUtils.h"

#include <cstdio>

namespace veskor {

std::string monthText(int year, int month) {
    constexpr int kWeeks = 6;
    const std::int64_t first = daysFromCivil(year, month, 1);
    // dayOfWeek counts from Sunday; the grid's rows start on Monday.
    const std::int64_t start = first - (dayOfWeek(static_cast<DateTime>(first)) + 5) % 7;
    std::string text = "Wk Mo Tu We Th Fr Sa Su\n";
    for (std::int64_t monday = start; monday < start + std::int64_t{7} * kWeeks; monday += 7) {
        char cell[8];
        std::snprintf(cell, sizeof cell, "%2d", weekOfYear(static_cast<DateTime>(monday)));
        text += cell;
        for (int day = 0; day < 7; ++day) {
            std::snprintf(cell, sizeof cell, " %2d", civilFromDays(monday + day).day);
            text += cell;
        }
        text += '\n';
    }
    return text;
}

} // namespace veskor
