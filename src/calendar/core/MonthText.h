#pragma once
// `veskor month YYYY-MM`: the calendar panel's month grid as text, for scripts and tests.

#include <string>

namespace veskor {

// The header "Wk Mo Tu We Th Fr Sa Su", then six lines of the ISO week number and the day
// numbers from Monday to Sunday, each two characters wide and one blank apart: the grid starts
// with the week that holds the 1st, so it shows the last days of the month before and goes on
// into the next. year 1900 to 2100, month 1 to 12.
std::string monthText(int year, int month);

} // namespace veskor
