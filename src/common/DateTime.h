#pragma once
// The day-count date-time used everywhere in the program: the integer part counts days from
// 30 December 1899 (day 0), the fraction is the time of day (0.5 = noon). Days before day 0 are
// negative; as in the classic format, the time of day is then the magnitude of the fraction
// (-1.25 is 29 December 1899, 06:00).

#include <cstdint>

namespace veskor {

using DateTime = double;

struct CivilDate {
    int year = 1899; // proleptic Gregorian, 1 to 9999
    int month = 12;  // 1 to 12
    int day = 30;    // 1 to DaysInMonth
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct ClockTime {
    int hour = 0;   // 0 to 23
    int minute = 0; // 0 to 59
    int second = 0; // 0 to 59
    int msec = 0;   // 0 to 999
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// Exact integer day counts; no floating point involved.
std::int64_t daysFromCivil(int year, int month, int day);
CivilDate civilFromDays(std::int64_t days);

// True when year/month/day names a real day of the proleptic Gregorian calendar, years 1..9999.
bool isValidDate(int year, int month, int day);

// Throws veskor::Error("Invalid argument to date encode") for a day that does not exist.
DateTime encodeDate(int year, int month, int day);
// Throws veskor::Error("Invalid argument to time encode") for out-of-range parts.
DateTime encodeTime(int hour, int minute, int second, int msec);
DateTime encodeDateTime(const CivilDate& date, const ClockTime& time);
// Never throws: a moment before year 1 gives 0001-01-01 00:00:00.000, one after 9999 gives
// 9999-12-31 23:59:59.999, and within those years each part is held to its range (a leap
// second's :60 reads as :59).
DateTime encodeDateTimeClamped(std::int64_t year, int month, int day, int hour, int minute,
                               int second, int msec);

// The date part of a value (the time of day is ignored).
CivilDate decodeDate(DateTime value);
// The time of day, rounded to the nearest millisecond (never 24:00:00.000: it saturates at
// 23:59:59.999 so that the date and the time of one value always agree).
ClockTime decodeTime(DateTime value);

// Whole days of a value: the day count without its time of day.
std::int64_t dateOf(DateTime value);

// 1 = Sunday ... 7 = Saturday.
int dayOfWeek(DateTime value);

} // namespace veskor
