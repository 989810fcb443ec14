#include "common/DateUtils.h"

#include "common/Error.h"

#include <array>

namespace veskor {

namespace {

int daysInYear(int year) {
    return isLeapYear(year) ? 366 : 365;
}

// Index 0 = Sunday; day counts here stay far below 2^53, so the double is exact.
std::size_t weekdayIndex(std::int64_t days) {
    return static_cast<std::size_t>(dayOfWeek(static_cast<double>(days)) - 1);
}

int dayOfYearOfDays(std::int64_t days, int year) {
    return static_cast<int>(days - daysFromCivil(year, 1, 1)) + 1;
}

// Works on whole day counts so that the step back to 31 December stays exact at any magnitude.
int weekOfYearOfDays(std::int64_t days) {
    // Days from the Monday that starts week 1 to 1 January, by 1 January's weekday (Sunday first):
    // a year starting Monday to Thursday owns the week that holds 1 January.
    static constexpr std::array<int, 7> kFirstDayOffset = {-1, 0, 1, 2, 3, -3, -2};
    // Days from d to the Thursday of its week, plus one, by d's weekday (Sunday first).
    static constexpr std::array<int, 7> kThursdayOffset = {-4, 2, 1, 0, -1, -2, -3};

    const int year = civilFromDays(days).year;
    const std::int64_t firstDay = daysFromCivil(year, 1, 1);
    const int doy = dayOfYearOfDays(days, year);
    const int a = doy + kFirstDayOffset.at(weekdayIndex(firstDay));
    if (a <= 0) {
        // 31 December is a Thursday, Friday or Saturday here, so this recursion ends at once.
        return weekOfYearOfDays(firstDay - 1);
    }
    const int t = doy + kThursdayOffset.at(weekdayIndex(days));
    if (t >= daysInYear(year)) {
        return 1;
    }
    return (a - 1) / 7 + 1;
}

} // namespace

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kLengths = {31, 28, 31, 30, 31, 30,
                                                     31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        throw Error("Invalid month");
    }
    return kLengths.at(static_cast<std::size_t>(month - 1)) +
           (month == 2 && isLeapYear(year) ? 1 : 0);
}

int daysInMonth(DateTime date) {
    const CivilDate civil = decodeDate(date);
    return daysInMonth(civil.year, civil.month);
}

DateTime firstDayOfYear(DateTime date) {
    return static_cast<double>(daysFromCivil(decodeDate(date).year, 1, 1));
}

DateTime lastDayOfYear(DateTime date) {
    return static_cast<double>(daysFromCivil(decodeDate(date).year, 12, 31));
}

int dayOfYear(DateTime date) {
    const std::int64_t days = dateOf(date);
    return dayOfYearOfDays(days, civilFromDays(days).year);
}

int weekOfYear(DateTime date) {
    return weekOfYearOfDays(dateOf(date));
}

int nameDayIndex(DateTime date) {
    const std::int64_t days = dateOf(date);
    const CivilDate civil = civilFromDays(days);
    const int doy = dayOfYearOfDays(days, civil.year);
    return doy + (!isLeapYear(civil.year) && civil.month > 2 ? 1 : 0);
}

} // namespace veskor
