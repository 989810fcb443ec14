#include "common/DateUtils.h"

#include "common/Error.h"

#include <array>

namespace veskor {

namespace {

int DaysInYear(int year) {
    return IsLeapYear(year) ? 366 : 365;
}

// Index 0 = Sunday; day counts here stay far below 2^53, so the double is exact.
std::size_t WeekdayIndex(std::int64_t days) {
    return static_cast<std::size_t>(DayOfWeek(static_cast<double>(days)) - 1);
}

int DayOfYearOfDays(std::int64_t days, int year) {
    return static_cast<int>(days - DaysFromCivil(year, 1, 1)) + 1;
}

// Works on whole day counts so that the step back to 31 December stays exact at any magnitude.
int WeekOfYearOfDays(std::int64_t days) {
    // Days from the Monday that starts week 1 to 1 January, by 1 January's weekday (Sunday first):
    // a year starting Monday to Thursday owns the week that holds 1 January.
    static constexpr std::array<int, 7> kFirstDayOffset = {-1, 0, 1, 2, 3, -3, -2};
    // Days from d to the Thursday of its week, plus one, by d's weekday (Sunday first).
    static constexpr std::array<int, 7> kThursdayOffset = {-4, 2, 1, 0, -1, -2, -3};

    const int year = CivilFromDays(days).year;
    const std::int64_t firstDay = DaysFromCivil(year, 1, 1);
    const int doy = DayOfYearOfDays(days, year);
    const int a = doy + kFirstDayOffset.at(WeekdayIndex(firstDay));
    if (a <= 0) {
        // 31 December is a Thursday, Friday or Saturday here, so this recursion ends at once.
        return WeekOfYearOfDays(firstDay - 1);
    }
    const int t = doy + kThursdayOffset.at(WeekdayIndex(days));
    if (t >= DaysInYear(year)) {
        return 1;
    }
    return (a - 1) / 7 + 1;
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kLengths = {31, 28, 31, 30, 31, 30,
                                                     31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        throw Error("Invalid month");
    }
    return kLengths.at(static_cast<std::size_t>(month - 1)) +
           (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int DaysInMonth(TDateTime date) {
    const CivilDate civil = DecodeDate(date);
    return DaysInMonth(civil.year, civil.month);
}

TDateTime FirstDayOfYear(TDateTime date) {
    return static_cast<double>(DaysFromCivil(DecodeDate(date).year, 1, 1));
}

TDateTime LastDayOfYear(TDateTime date) {
    return static_cast<double>(DaysFromCivil(DecodeDate(date).year, 12, 31));
}

int DayOfYear(TDateTime date) {
    const std::int64_t days = DateOf(date);
    return DayOfYearOfDays(days, CivilFromDays(days).year);
}

int WeekOfYear(TDateTime date) {
    return WeekOfYearOfDays(DateOf(date));
}

int NameDayIndex(TDateTime date) {
    const std::int64_t days = DateOf(date);
    const CivilDate civil = CivilFromDays(days);
    const int doy = DayOfYearOfDays(days, civil.year);
    return doy + (!IsLeapYear(civil.year) && civil.month > 2 ? 1 : 0);
}

} // namespace veskor
