#include "common/DateTime.h"

#include "common/DateUtils.h"
#include "common/Error.h"

#include <QCoreApplication>
#include <algorithm>
#include <climits>
#include <cmath>

namespace veskor {

namespace {

constexpr double kMsPerDay = 86'400'000.0;
constexpr std::int64_t kMsPerDayInt = 86'400'000;

// Days from 1 March of year 0, the origin of the 400-year era arithmetic below (H. Hinnant,
// "chrono-Compatible Low-Level Date Algorithms"), to 30 December 1899.
constexpr std::int64_t kEpochShift = 693'899;

constexpr std::int64_t daysFromCivilExact(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;                                   // [0, 399]
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1; // [0, 365]
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // [0, 146096]
    return era * 146'097 + doe - kEpochShift;
}

// The counts whose year still fits an int; CivilFromDays saturates beyond them.
constexpr std::int64_t kFirstCivilDay = daysFromCivilExact(INT_MIN, 1, 1);
constexpr std::int64_t kLastCivilDay = daysFromCivilExact(INT_MAX, 12, 31);

static_assert(daysFromCivilExact(1899, 12, 30) == 0);
static_assert(daysFromCivilExact(1970, 1, 1) == 25'569);

// Whole-day counts of a value are limited to about a billion years either side, far inside the
// range CivilFromDays handles exactly, so that date arithmetic on them (a day before, a year
// start) never leaves it.
constexpr std::int64_t kDateOfLimit = 365'250'000'000;

} // namespace

std::int64_t daysFromCivil(int year, int month, int day) {
    return daysFromCivilExact(year, month, day);
}

CivilDate civilFromDays(std::int64_t days) {
    if (days < kFirstCivilDay) {
        days = kFirstCivilDay;
    } else if (days > kLastCivilDay) {
        days = kLastCivilDay;
    }
    const std::int64_t z = days + kEpochShift;
    const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
    const std::int64_t doe = z - era * 146'097;                                       // [0, 146096]
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365; // [0, 399]
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                 // [0, 365]
    const std::int64_t mp = (5 * doy + 2) / 153;                                      // [0, 11]
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

bool isValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    return day <= daysInMonth(year, month);
}

DateTime encodeDate(int year, int month, int day) {
    if (!isValidDate(year, month, day)) {
        throw Error(QCoreApplication::translate("DateTime", "Invalid argument to date encode")
                        .toStdString());
    }
    return static_cast<double>(daysFromCivil(year, month, day));
}

DateTime encodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999) {
        throw Error(QCoreApplication::translate("DateTime", "Invalid argument to time encode")
                        .toStdString());
    }
    const std::int64_t ms =
        ((static_cast<std::int64_t>(hour) * 60 + minute) * 60 + second) * 1000 + msec;
    return static_cast<double>(ms) / kMsPerDay;
}

DateTime encodeDateTime(const CivilDate& date, const ClockTime& time) {
    const DateTime day = encodeDate(date.year, date.month, date.day);
    const DateTime timeOfDay = encodeTime(time.hour, time.minute, time.second, time.msec);
    // Before day 0 the time of day is the magnitude of the fraction.
    return day < 0 ? day - timeOfDay : day + timeOfDay;
}

DateTime encodeDateTimeClamped(std::int64_t year, int month, int day, int hour, int minute,
                               int second, int msec) {
    if (year < 1) {
        return encodeDateTime(CivilDate{1, 1, 1}, ClockTime{});
    }
    if (year > 9999) {
        return encodeDateTime(CivilDate{9999, 12, 31}, ClockTime{23, 59, 59, 999});
    }
    const int y = static_cast<int>(year);
    const int m = std::clamp(month, 1, 12);
    return encodeDateTime(CivilDate{y, m, std::clamp(day, 1, daysInMonth(y, m))},
                          ClockTime{std::clamp(hour, 0, 23), std::clamp(minute, 0, 59),
                                    std::clamp(second, 0, 59), std::clamp(msec, 0, 999)});
}

std::int64_t dateOf(DateTime value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double whole = std::trunc(value);
    if (whole <= -static_cast<double>(kDateOfLimit)) {
        return -kDateOfLimit;
    }
    if (whole >= static_cast<double>(kDateOfLimit)) {
        return kDateOfLimit;
    }
    return static_cast<std::int64_t>(whole);
}

CivilDate decodeDate(DateTime value) {
    return civilFromDays(dateOf(value));
}

ClockTime decodeTime(DateTime value) {
    if (!std::isfinite(value)) {
        return ClockTime{};
    }
    const double fraction = std::fabs(value - std::trunc(value));
    std::int64_t ms = std::llround(fraction * kMsPerDay);
    // Rounding up to the next midnight would show a time of the following day.
    if (ms >= kMsPerDayInt) {
        ms = kMsPerDayInt - 1;
    }
    const int total = static_cast<int>(ms);
    return ClockTime{total / 3'600'000, total / 60'000 % 60, total / 1000 % 60, total % 1000};
}

int dayOfWeek(DateTime value) {
    // Day 0, 30 December 1899, was a Saturday (7).
    std::int64_t r = dateOf(value) % 7;
    if (r < 0) {
        r += 7;
    }
    return static_cast<int>((r + 6) % 7) + 1;
}

} // namespace veskor
