// The month grid as text: leading and trailing days and the ISO week numbers of its rows.

#include "calendar/core/MonthText.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

TEST(MonthText, JanuaryStartsInThePreviousYearsWeek) {
    EXPECT_EQ(monthText(2010, 1), "Wk Mo Tu We Th Fr Sa Su\n"
                                  "53 28 29 30 31  1  2  3\n"
                                  " 1  4  5  6  7  8  9 10\n"
                                  " 2 11 12 13 14 15 16 17\n"
                                  " 3 18 19 20 21 22 23 24\n"
                                  " 4 25 26 27 28 29 30 31\n"
                                  " 5  1  2  3  4  5  6  7\n");
}

TEST(MonthText, FirstOnMondayAndWeeksIntoTheNextYear) {
    // 1 December 2008 is a Monday: no leading days; the last rows lie in 2009's weeks 1 and 2.
    EXPECT_EQ(monthText(2008, 12), "Wk Mo Tu We Th Fr Sa Su\n"
                                   "49  1  2  3  4  5  6  7\n"
                                   "50  8  9 10 11 12 13 14\n"
                                   "51 15 16 17 18 19 20 21\n"
                                   "52 22 23 24 25 26 27 28\n"
                                   " 1 29 30 31  1  2  3  4\n"
                                   " 2  5  6  7  8  9 10 11\n");
    // 1 May 2022 is a Sunday, the last cell of the first row.
    EXPECT_EQ(monthText(2022, 5).substr(24, 24), "17 25 26 27 28 29 30  1\n");
    EXPECT_EQ(monthText(2022, 5).substr(6 * 24), "22 30 31  1  2  3  4  5\n");
}

} // namespace
} // namespace veskor
