// The scope's pixel arithmetic: rounding, the even grid, baseline, grid and trace rows.

#include "scope/core/TraceGeometry.h"

#include <gtest/gtest.h>
#include <limits>

using namespace veskor;

TEST(TraceGeometry, RoundingAndGridSize) {
    for (const auto& [value, rounded] :
         {std::pair{0.5, 0.0}, {1.5, 2.0}, {2.5, 2.0}, {-2.5, -2.0}, {-3.5, -4.0}, {2.6, 3.0}}) {
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    }
    EXPECT_EQ(evenGridSize(7), 6);
    EXPECT_EQ(evenGridSize(-7), -6);
}

TEST(TraceGeometry, RowsCountFromTheBottom) {
    EXPECT_EQ(baselineRow(101, 0), 101); // just below the picture
    EXPECT_EQ(baselineRow(120, 50), 60);
    // The last row of each run lies outside the picture; a grid below 2 has none.
    EXPECT_EQ(horizontalGridRows(20, 15, 4), (std::vector<int>{19, 23, 11, 7, 3, -1}));
    EXPECT_TRUE(horizontalGridRows(20, 15, 0).empty());
    EXPECT_EQ(traceRow(100, 50, 25, 100, 0), 25);
    // The width of the range counts, not its lower end.
    EXPECT_EQ(traceRow(100, 0, 25, 150, 50), 75);
    // No range yet: the raw position is the percentage, and 0 lies on the baseline.
    EXPECT_EQ(traceRow(100, 0, 30, 0, 0), 70);
    EXPECT_EQ(traceRow(101, 0, 0, 0, 0), 101);
    constexpr auto kBig = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(traceRow(101, 0, kBig, 1, 0), -kFarRow);
    EXPECT_EQ(traceRow(101, 0, -kBig, 0, 0), kFarRow);
    EXPECT_EQ(traceRow(101, 0, 0, kBig, -kBig), 101);
}
