#pragma once
// Date and time patterns ("dddd", "d.m. yyyy", "hh:mm:ss") rendered through a locale.
//   d dd      day of month, without / with leading zero
//   ddd dddd  short / full weekday name of the locale
//   m mm      month without / with leading zero; directly after an hour field (h, hh, with
//             an optional ":" between) m and mm are minutes
//   mmm mmmm  short / full month name
//   yy yyyy   two / four digit year
//   h hh      hour 0-23;  n nn  minute;  s ss  second;  z zzz  millisecond
//   :         the locale's time separator;  "..." and '...'  literal text
// Every other character is copied literally.

#include "common/DateTime.h"

#include <array>
#include <string>
#include <string_view>

namespace veskor {

// The locale facts the patterns and number formats need, all UTF-8.
struct LocaleFormat {
    std::array<std::string, 7> longDayNames;  // index 0 = Sunday
    std::array<std::string, 7> shortDayNames; // index 0 = Sunday
    std::array<std::string, 12> longMonthNames;
    std::array<std::string, 12> shortMonthNames;
    std::string timeSeparator = ":";
    std::string thousandsSeparator = ",";
    std::string decimalSeparator = ".";

    // English names with ":" and "," (what the "C" locale gives).
    static LocaleFormat english();
    // The user's locale (QLocale::system(), which follows LANG / LC_ALL).
    static LocaleFormat system();
};

std::string formatDateTime(std::string_view pattern, DateTime value, const LocaleFormat& locale);

} // namespace veskor
