#pragma once
#include "common/DateTime.h"
#include "namedays/core/SaintTable.h"
#include "ui/SidePanelDescription.h"

#include <functional>

namespace veskor {

// What the calendar panel reads from the bar: the clock and the name-day table in use.
struct CalendarSources {
    std::function<DateTime()> now;
    std::function<const SaintTable&()> saints;
};

// The calendar side panel, opened from the menu or by a double click on the date cell: the month
// grid, the picked day's name-day, day of year and moon, and the search for a name's day.
SidePanelDescription calendarSidePanel(CalendarSources sources);

} // namespace veskor
