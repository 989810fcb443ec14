#include "common/NumberPattern.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using veskor::formatNumberPattern;

TEST(NumberPattern, GroupsWithTheGivenSeparator) {
    EXPECT_EQ(formatNumberPattern("#,##0 KB", 6752, ","), "6,752 KB");
    EXPECT_EQ(formatNumberPattern("#,##0 KB", 65536, ","), "65,536 KB");
    EXPECT_EQ(formatNumberPattern("#,##0 KB", 65536, "."), "65.536 KB");
    EXPECT_EQ(formatNumberPattern("#,##0 KB", 1234567, ""), "1234567 KB");
    // No separator at a group boundary without digits in front of it.
    EXPECT_EQ(formatNumberPattern("#,##0", 999, ","), "999");
    EXPECT_EQ(formatNumberPattern("#,##0", 1000, ","), "1,000");
    EXPECT_EQ(formatNumberPattern("#,##0", 100000, ","), "100,000");
    EXPECT_EQ(formatNumberPattern("#,##0", 1000000, ","), "1,000,000");
    // Without "," in the run there is no grouping.
    EXPECT_EQ(formatNumberPattern("0 B", 1234567, ","), "1234567 B");
}

TEST(NumberPattern, MultiByteSeparatorsStayWhole) {
    EXPECT_EQ(formatNumberPattern("#,##0 KB", 1234567, "\u00A0"), "1\u00A0234\u00A0567 KB");
    EXPECT_EQ(formatNumberPattern("#,##0", 65536, "\u202F"), "65\u202F536");
}

TEST(NumberPattern, LiteralTextAroundTheDigitRun) {
    EXPECT_EQ(formatNumberPattern(" Total: #,##0 KB ", 64696, ","), " Total: 64,696 KB ");
    EXPECT_EQ(formatNumberPattern("#,##0 KB of ", 6752, ","), "6,752 KB of ");
    EXPECT_EQ(formatNumberPattern(" #,##0 KB ", 0, ","), " 0 KB ");
    // Only the first run formats; later placeholders and a trailing comma are text.
    EXPECT_EQ(formatNumberPattern("#,##0, or 0#", 1234, ","), "1,234, or 0#");
    EXPECT_EQ(formatNumberPattern("KB", 5, ","), "KB");
}

TEST(NumberPattern, ZeroPlaceholdersForceDigits) {
    EXPECT_EQ(formatNumberPattern("#,## KB", 0, ","), "0 KB"); // "#" alone still shows a zero
    EXPECT_EQ(formatNumberPattern("#,##", 0, ","), "0");
    EXPECT_EQ(formatNumberPattern("#,## KB", 5, ","), "5 KB");
    EXPECT_EQ(formatNumberPattern("#,##0 KB", 0, ","), "0 KB");
    EXPECT_EQ(formatNumberPattern("000", 7, ","), "007");
    EXPECT_EQ(formatNumberPattern("#,000", 7, ","), "007");
    EXPECT_EQ(formatNumberPattern("0,000", 7, ","), "0,007");
    EXPECT_EQ(formatNumberPattern("000", 12345, ","), "12345");
}

TEST(NumberPattern, CountsBeyondThirtyTwoBits) {
    // A 32 GiB machine in KB, and byte counts above 4 GiB.
    EXPECT_EQ(formatNumberPattern("#,##0 KB", 33554432, ","), "33,554,432 KB");
    EXPECT_EQ(formatNumberPattern("#,## B", 5'000'000'000, ","), "5,000,000,000 B");
    EXPECT_EQ(formatNumberPattern("#,##0", std::numeric_limits<std::int64_t>::max(), ","),
              "9,223,372,036,854,775,807");
}

TEST(NumberPattern, NegativeNumbersHaveTheSignBeforeTheDigits) {
    EXPECT_EQ(formatNumberPattern("#,##0 KB", -1234, ","), "-1,234 KB");
    EXPECT_EQ(formatNumberPattern(" Total: #,##0", -5, ","), " Total: -5");
    EXPECT_EQ(formatNumberPattern("#,## KB", -5, ","), "-5 KB");
    EXPECT_EQ(formatNumberPattern("#,##0", -100, ","), "-100");
    EXPECT_EQ(formatNumberPattern("#,##0", std::numeric_limits<std::int64_t>::min(), "."),
              "-9.223.372.036.854.775.808");
}

} // namespace
