#include "common/DateTime.h"

#include "common/Error.h"

#include <QDate>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace veskor;

QDate epoch() {
    return {1899, 12, 30};
}

std::int64_t QtDays(int year, int month, int day) {
    return epoch().daysTo(QDate(year, month, day));
}

TEST(DayCount, KnownValuesAgreeWithQDate) {
    struct Case {
        int year, month, day;
        std::int64_t days;
    };
    // Day 0 and the first and last days of the supported range, as the classic format has them.
    const Case cases[] = {{1899, 12, 30, 0},  {1899, 12, 31, 1},      {1900, 1, 1, 2},
                          {1899, 12, 29, -1}, {1998, 7, 6, 35982},    {2000, 2, 29, 36585},
                          {1, 1, 1, -693593}, {9999, 12, 31, 2958465}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        ASSERT_EQ(QtDays(c.year, c.month, c.day), c.days);
        EXPECT_EQ(daysFromCivil(c.year, c.month, c.day), c.days);
        EXPECT_EQ(civilFromDays(c.days), (CivilDate{c.year, c.month, c.day}));
        EXPECT_EQ(encodeDate(c.year, c.month, c.day), static_cast<double>(c.days));
    }
}

TEST(DayCount, EveryDayOfYears1To9999MatchesQDate) {
    const std::int64_t first = QtDays(1, 1, 1);
    const std::int64_t last = QtDays(9999, 12, 31);
    for (std::int64_t n = first; n <= last; ++n) {
        const QDate q = epoch().addDays(n);
        const CivilDate c = civilFromDays(n);
        if (c.year != q.year() || c.month != q.month() || c.day != q.day() ||
            daysFromCivil(c.year, c.month, c.day) != n ||
            dayOfWeek(static_cast<double>(n)) != q.dayOfWeek() % 7 + 1) {
            FAIL() << "day " << n << ": got " << c.year << '-' << c.month << '-' << c.day
                   << ", QDate " << q.toString(Qt::ISODate).toStdString();
        }
    }
}

TEST(DayCount, ProlepticYearsBeyondQDateMatchChrono) {
    using namespace std::chrono;
    // std::chrono counts year 0 like we do (QDate has no year 0); its range is +-32767.
    const sys_days epoch = year_month_day{year{1899}, month{12}, day{30}};
    const sys_days from = year_month_day{year{-32767}, month{1}, day{1}};
    const sys_days to = year_month_day{year{32767}, month{12}, day{31}};
    for (sys_days d = from; d <= to; d += days{11}) {
        const year_month_day ymd{d};
        const std::int64_t n = (d - epoch).count();
        const CivilDate c = civilFromDays(n);
        if (c.year != static_cast<int>(ymd.year()) ||
            c.month != static_cast<int>(static_cast<unsigned>(ymd.month())) ||
            c.day != static_cast<int>(static_cast<unsigned>(ymd.day())) ||
            daysFromCivil(c.year, c.month, c.day) != n) {
            FAIL() << "day " << n << ": got " << c.year << '-' << c.month << '-' << c.day;
        }
    }
}

TEST(DayCount, ExtremeCountsSaturateInsteadOfOverflowing) {
    const std::int64_t max = std::numeric_limits<std::int64_t>::max();
    const std::int64_t min = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(civilFromDays(max), (CivilDate{std::numeric_limits<int>::max(), 12, 31}));
    EXPECT_EQ(civilFromDays(min), (CivilDate{std::numeric_limits<int>::min(), 1, 1}));
    EXPECT_GT(dateOf(1e300), 0);
    EXPECT_LT(dateOf(-1e300), 0);
    EXPECT_EQ(dateOf(std::nan("")), 0);
    EXPECT_GT(decodeDate(std::numeric_limits<double>::infinity()).year, 9999);
    EXPECT_EQ(decodeTime(std::numeric_limits<double>::infinity()), ClockTime{});
    EXPECT_EQ(decodeTime(std::nan("")), ClockTime{});
}

TEST(EncodeDate, RejectsDaysThatDoNotExist) {
    EXPECT_TRUE(isValidDate(2000, 2, 29));
    EXPECT_TRUE(isValidDate(9999, 12, 31));
    EXPECT_FALSE(isValidDate(1900, 2, 29));
    EXPECT_FALSE(isValidDate(2023, 4, 31));
    EXPECT_FALSE(isValidDate(0, 1, 1));
    EXPECT_FALSE(isValidDate(10000, 1, 1));
    EXPECT_FALSE(isValidDate(2023, 0, 1));
    EXPECT_FALSE(isValidDate(2023, 13, 1));
    EXPECT_FALSE(isValidDate(2023, 1, 0));
    try {
        encodeDate(2023, 2, 29);
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Invalid argument to date encode");
    }
    EXPECT_THROW(encodeDateTime(CivilDate{2023, 13, 1}, ClockTime{}), Error);
}

TEST(EncodeTime, RejectsOutOfRangeParts) {
    EXPECT_EQ(encodeTime(0, 0, 0, 0), 0.0);
    EXPECT_EQ(encodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(encodeTime(6, 0, 0, 0), 0.25);
    try {
        encodeTime(24, 0, 0, 0);
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Invalid argument to time encode");
    }
    EXPECT_THROW(encodeTime(0, 60, 0, 0), Error);
    EXPECT_THROW(encodeTime(0, 0, 60, 0), Error);
    EXPECT_THROW(encodeTime(0, 0, 0, 1000), Error);
    EXPECT_THROW(encodeTime(-1, 0, 0, 0), Error);
    EXPECT_THROW(encodeTime(0, 0, 0, -1), Error);
}

TEST(EncodeDateTimeClamped, HoldsMomentsToTheEncodableRangeInsteadOfThrowing) {
    const std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    const DateTime last = encodeDateTime({9999, 12, 31}, {23, 59, 59, 999});
    const DateTime first = encodeDateTime({1, 1, 1}, {});
    EXPECT_EQ(encodeDateTimeClamped(9999, 12, 31, 23, 59, 59, 999), last);
    EXPECT_EQ(encodeDateTimeClamped(10000, 1, 1, 0, 0, 0, 0), last);
    EXPECT_EQ(encodeDateTimeClamped(kMax, 1, 1, 0, 0, 0, 0), last);
    EXPECT_EQ(encodeDateTimeClamped(0, 12, 31, 23, 59, 59, 999), first);
    EXPECT_EQ(encodeDateTimeClamped(kMin, 1, 1, 0, 0, 0, 0), first);
    // Inside the years, a part out of its range goes to its nearest end.
    EXPECT_EQ(encodeDateTimeClamped(2016, 12, 31, 23, 59, 60, 500),
              encodeDateTime({2016, 12, 31}, {23, 59, 59, 500}));
    EXPECT_EQ(encodeDateTimeClamped(2023, 2, 30, 24, -1, 0, 1000),
              encodeDateTime({2023, 2, 28}, {23, 0, 0, 999}));
    EXPECT_EQ(encodeDateTimeClamped(2023, 13, 0, 0, 0, 0, 0), encodeDate(2023, 12, 1));
}

TEST(DecodeTime, EveryMillisecondStepRoundTripsOnDistantDays) {
    // The further from day 0, the fewer bits the fraction keeps; the last day of 9999 must still
    // give back each millisecond, before day 0 too.
    for (const CivilDate date : {CivilDate{1998, 7, 6}, CivilDate{9999, 12, 31}, CivilDate{1, 1, 1},
                                 CivilDate{1899, 12, 29}}) {
        for (int ms = 0; ms < 86'400'000; ms += 997) {
            const ClockTime t{ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000};
            const DateTime value = encodeDateTime(date, t);
            if (decodeTime(value) != t || decodeDate(value) != date) {
                FAIL() << date.year << '-' << date.month << '-' << date.day << " ms " << ms;
            }
        }
    }
}

TEST(DecodeTime, RoundsToNearestMillisecondAndNeverReachesMidnight) {
    const double day = encodeDate(1998, 7, 6);
    const double ms = 1.0 / 86'400'000.0;
    EXPECT_EQ(decodeTime(day + 7 * ms + 0.4 * ms), (ClockTime{0, 0, 0, 7}));
    EXPECT_EQ(decodeTime(day + 7 * ms + 0.6 * ms), (ClockTime{0, 0, 0, 8}));
    EXPECT_EQ(decodeTime(day + (59'999 + 0.6) * ms), (ClockTime{0, 1, 0, 0}));
    // Within half a millisecond of the next midnight: still the same day, last millisecond.
    const double lateEvening = day + (86'399'999 + 0.7) * ms;
    EXPECT_EQ(decodeTime(lateEvening), (ClockTime{23, 59, 59, 999}));
    EXPECT_EQ(decodeDate(lateEvening), (CivilDate{1998, 7, 6}));
    EXPECT_EQ(decodeTime(std::nextafter(day + 1, 0.0)), (ClockTime{23, 59, 59, 999}));
    EXPECT_EQ(decodeTime(day + 1), ClockTime{});
    EXPECT_EQ(decodeDate(day + 1), (CivilDate{1998, 7, 7}));
}

TEST(DecodeTime, NegativeValuesUseTheMagnitudeOfTheFraction) {
    // -1.25 is 29 December 1899, 06:00; -0.5 is 30 December 1899, noon.
    EXPECT_EQ(encodeDateTime(CivilDate{1899, 12, 29}, ClockTime{6, 0, 0, 0}), -1.25);
    EXPECT_EQ(decodeDate(-1.25), (CivilDate{1899, 12, 29}));
    EXPECT_EQ(decodeTime(-1.25), (ClockTime{6, 0, 0, 0}));
    EXPECT_EQ(dateOf(-1.25), -1);
    EXPECT_EQ(decodeDate(-0.5), (CivilDate{1899, 12, 30}));
    EXPECT_EQ(decodeTime(-0.5), (ClockTime{12, 0, 0, 0}));
    EXPECT_EQ(decodeTime(-2.0 - 0.75), (ClockTime{18, 0, 0, 0}));
    // The day of the week follows the date part, not the floor of the value.
    EXPECT_EQ(dayOfWeek(-1.25), dayOfWeek(-1.0));
    EXPECT_EQ(dayOfWeek(-1.0), 6);    // 29 December 1899 was a Friday
    EXPECT_EQ(dayOfWeek(35982.9), 2); // 6 July 1998 was a Monday
}

} // namespace
