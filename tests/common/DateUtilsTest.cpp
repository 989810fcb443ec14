#include "common/DateUtils.h"

#include "common/Error.h"

#include <QDate>
#include <chrono>
#include <gtest/gtest.h>

namespace {

using namespace veskor;

QDate epoch() {
    return {1899, 12, 30};
}

DateTime dateOn(int year, int month, int day) {
    return encodeDate(year, month, day);
}

TEST(IsLeapYear, CenturyRules) {
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(2023));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(0));
    EXPECT_TRUE(isLeapYear(-4));
    EXPECT_FALSE(isLeapYear(-100));
    for (int year = 1; year <= 9999; ++year) {
        ASSERT_EQ(isLeapYear(year), QDate::isLeapYear(year)) << year;
    }
}

TEST(DaysInMonth, MatchesQDateAndRejectsBadMonths) {
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(dateOn(2024, 2, 10) + 0.75), 29);
    for (int year = 1600; year <= 2400; ++year) {
        for (int month = 1; month <= 12; ++month) {
            ASSERT_EQ(daysInMonth(year, month), QDate(year, month, 1).daysInMonth())
                << year << '-' << month;
        }
    }
    EXPECT_THROW(daysInMonth(2024, 0), Error);
    EXPECT_THROW(daysInMonth(2024, 13), Error);
}

TEST(YearBounds, FirstLastAndDayOfYear) {
    EXPECT_EQ(firstDayOfYear(dateOn(1998, 7, 6) + 0.5), dateOn(1998, 1, 1));
    EXPECT_EQ(lastDayOfYear(dateOn(1998, 7, 6) + 0.5), dateOn(1998, 12, 31));
    EXPECT_EQ(firstDayOfYear(-1.25), dateOn(1899, 1, 1));
    EXPECT_EQ(dayOfYear(dateOn(2023, 1, 1)), 1);
    EXPECT_EQ(dayOfYear(dateOn(2023, 12, 31) + 0.99), 365);
    EXPECT_EQ(dayOfYear(dateOn(2024, 12, 31)), 366);
    EXPECT_EQ(dayOfYear(-1.25), 363); // 29 December 1899
}

TEST(WeekOfYear, PublishedExamples) {
    EXPECT_EQ(weekOfYear(dateOn(2014, 12, 29)), 1);
    EXPECT_EQ(weekOfYear(dateOn(2014, 12, 28)), 52);
    EXPECT_EQ(weekOfYear(dateOn(2015, 12, 31)), 53);
    EXPECT_EQ(weekOfYear(dateOn(2016, 1, 1)), 53);
    EXPECT_EQ(weekOfYear(dateOn(2016, 1, 3) + 0.99), 53);
    EXPECT_EQ(weekOfYear(dateOn(2016, 1, 4)), 1);
    EXPECT_EQ(weekOfYear(dateOn(2010, 1, 3)), 53); // previous year had 53 weeks
    EXPECT_EQ(weekOfYear(dateOn(2011, 1, 2)), 52); // previous year had 52 weeks
    EXPECT_EQ(weekOfYear(dateOn(1998, 7, 6)), 28);
    for (int year = 1; year <= 9999; ++year) {
        ASSERT_EQ(weekOfYear(dateOn(year, 1, 4)), 1) << year;
    }
}

TEST(WeekOfYear, EveryDayOf1600To2400MatchesQDate) {
    for (QDate q(1600, 1, 1); q <= QDate(2400, 12, 31); q = q.addDays(1)) {
        const auto value = static_cast<double>(epoch().daysTo(q));
        if (weekOfYear(value) != q.weekNumber() || dayOfYear(value) != q.dayOfYear()) {
            FAIL() << q.toString(Qt::ISODate).toStdString() << ": week " << weekOfYear(value)
                   << " (QDate " << q.weekNumber() << "), day " << dayOfYear(value);
        }
    }
}

// ISO week from std::chrono: the week of d is the week of its Thursday, counted from the
// Thursday's year start.
int chronoIsoWeek(std::chrono::sys_days d) {
    using namespace std::chrono;
    const auto sinceMonday = static_cast<int>(weekday{d}.iso_encoding()) - 1;
    const sys_days thursday = d - days{sinceMonday} + days{3};
    const sys_days yearStart = year_month_day{thursday}.year() / January / 1;
    return static_cast<int>((thursday - yearStart).count() / 7 + 1);
}

TEST(WeekOfYear, BeforeDayZeroAndAcrossYearZeroMatchesChrono) {
    using namespace std::chrono;
    const sys_days epoch = year_month_day{year{1899}, month{12}, day{30}};
    const sys_days from = year_month_day{year{-800}, month{1}, day{1}};
    const sys_days to = year_month_day{year{1900}, month{1}, day{10}};
    for (sys_days d = from; d <= to; d += days{1}) {
        const auto value = static_cast<double>((d - epoch).count());
        if (weekOfYear(value) != chronoIsoWeek(d)) {
            FAIL() << "day " << value << ": week " << weekOfYear(value) << ", chrono "
                   << chronoIsoWeek(d);
        }
    }
}

TEST(NameDayIndex, LeapYearOrderSkipsTwentyNinthInCommonYears) {
    EXPECT_EQ(nameDayIndex(dateOn(2023, 1, 1)), 1);
    EXPECT_EQ(nameDayIndex(dateOn(2024, 1, 1)), 1);
    EXPECT_EQ(nameDayIndex(dateOn(2023, 2, 28)), 59);
    EXPECT_EQ(nameDayIndex(dateOn(2023, 3, 1)), 61);
    EXPECT_EQ(nameDayIndex(dateOn(2024, 2, 29)), 60);
    EXPECT_EQ(nameDayIndex(dateOn(2024, 3, 1)), 61);
    EXPECT_EQ(nameDayIndex(dateOn(2023, 12, 31)), 366);
    EXPECT_EQ(nameDayIndex(dateOn(2024, 12, 31)), 366);
    EXPECT_EQ(nameDayIndex(dateOn(1900, 3, 1)), 61);
    EXPECT_EQ(nameDayIndex(dateOn(2000, 3, 1)), 61);
    // The day after 31 December starts the list again.
    EXPECT_EQ(nameDayIndex(dateOn(2023, 12, 31) + 1), 1);
    // Every calendar day of any year lands on the slot its month and day have in a leap year.
    for (const int year : {1900, 1999, 2000, 2023, 2024, 2100}) {
        for (QDate q(year, 1, 1); q.year() == year; q = q.addDays(1)) {
            const int expected = QDate(2000, q.month(), q.day()).dayOfYear();
            ASSERT_EQ(nameDayIndex(static_cast<double>(epoch().daysTo(q)) + 0.5), expected)
                << q.toString(Qt::ISODate).toStdString();
        }
    }
}

} // namespace
