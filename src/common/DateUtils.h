#pragma once
// Calendar helpers shared by the clock tick, the name-day table and the calendar.
// All take a day-count date-time; the time of day is ignored.

#include "common/DateTime.h"

namespace veskor {

// Gregorian: divisible by 4 and either not by 100 or by 400.
bool isLeapYear(int year);
// 28 to 31.
int daysInMonth(int year, int month);
int daysInMonth(DateTime date);
DateTime firstDayOfYear(DateTime date);
DateTime lastDayOfYear(DateTime date);
// 1 January = 1, 31 December = 365 or 366.
int dayOfYear(DateTime date);
// ISO 8601 week number, 1 to 53 (weeks start on Monday, week 1 holds the first Thursday).
int weekOfYear(DateTime date);
// Position 1..366 of the date in the leap-year order of the name-day table: the day of year,
// plus 1 from March on in a common year (so 29 February's slot 60 is skipped there).
int nameDayIndex(DateTime date);

} // namespace veskor
