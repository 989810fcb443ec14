// The moon's phase angle against known values and a published table, and the unlit part.

#include "calendar/core/MoonPhase.h"

#include "common/DateUtils.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace veskor {
namespace {

TEST(MoonPhase, NormalizesDegreesIntoOneTurn) {
    EXPECT_DOUBLE_EQ(normalizeDegrees(725), 5);
    EXPECT_DOUBLE_EQ(normalizeDegrees(-0.25), 359.75);
    EXPECT_DOUBLE_EQ(normalizeDegrees(360), 0);
    EXPECT_DOUBLE_EQ(normalizeDegrees(-720), 0);
    // Exact halves of a turn, whichever way they round, land on 180.
    for (const double half : {180.0, -180.0, 540.0, -540.0, 900.0}) {
        EXPECT_DOUBLE_EQ(normalizeDegrees(half), 180) << half;
    }
    // A negative angle too small to move 360 is not 360.
    EXPECT_DOUBLE_EQ(normalizeDegrees(-1e-20), 0);
    EXPECT_LT(normalizeDegrees(-1e-14), 360);
}

TEST(MoonPhase, AnglesOfJanuary2000) {
    EXPECT_NEAR(phaseAngle(encodeDate(2000, 1, 6)), 188.61, 0.005);
    EXPECT_NEAR(phaseAngle(encodeDate(2000, 1, 7)), 177.03, 0.005);
    EXPECT_NEAR(phaseAngle(encodeDate(2000, 1, 14)), 96.89, 0.005);
    EXPECT_NEAR(phaseAngle(encodeDate(2000, 1, 21)), 2.77, 0.005);
    EXPECT_NEAR(phaseAngle(encodeDate(2000, 1, 28)), 273.88, 0.005);
    EXPECT_EQ(formatPhaseAngle(encodeDate(2000, 1, 6) + 0.75), "188.61");
}

// The Moon passes the Sun's longitude (new) or its opposite (full) between 0:00 of the day of
// the event and 0:00 of the next: the angle turns from waning to waxing around 180 at a new moon
// and from waxing to waning around 0 at a full moon.
TEST(MoonPhase, NewAndFullMoonsOf2024OnThePublishedDays) {
    struct Event {
        int month;
        int day;
    };
    // Lunar phases of 2024 in Universal Time, as the almanacs list them.
    const Event newMoons[] = {{1, 11}, {2, 9}, {3, 10}, {4, 8},  {5, 8},  {6, 6},  {7, 5},
                              {8, 4},  {9, 3}, {10, 2}, {11, 1}, {12, 1}, {12, 30}};
    const Event fullMoons[] = {{1, 25}, {2, 24}, {3, 25}, {4, 23},  {5, 23},  {6, 22},
                               {7, 21}, {8, 19}, {9, 18}, {10, 17}, {11, 15}, {12, 15}};
    for (const Event& e : newMoons) {
        const DateTime day = encodeDate(2024, e.month, e.day);
        const double before = phaseAngle(day);
        const double after = phaseAngle(day + 1);
        EXPECT_TRUE(before > 180 && before < 195 && after < 180 && after > 165)
            << "new moon " << e.month << "-" << e.day << ": " << before << ", " << after;
    }
    for (const Event& e : fullMoons) {
        const DateTime day = encodeDate(2024, e.month, e.day);
        const double before = phaseAngle(day);
        const double after = phaseAngle(day + 1);
        EXPECT_TRUE(before < 15 && after > 345)
            << "full moon " << e.month << "-" << e.day << ": " << before << ", " << after;
    }
}

// Before the Gregorian calendar's first day the same formula goes on: the angle keeps falling
// from 180 (new) through 0 (full) by about a day's share of the 29.53-day cycle, back to year 1.
// Near a new or a full moon the Moon's latitude makes single steps uneven; a month is not.
TEST(MoonPhase, GoesOnSmoothlyBefore1582) {
    for (const DateTime first :
         {encodeDate(1582, 10, 1), encodeDate(1000, 6, 1), encodeDate(1, 1, 1)}) {
        double month = 0;
        for (DateTime day = first; day < first + 30; ++day) {
            const double step = normalizeDegrees(phaseAngle(day) - phaseAngle(day + 1));
            EXPECT_TRUE(step > 5 && step < 25) << "step " << step << " after day " << day;
            month += step;
        }
        EXPECT_NEAR(month, 30 * 360 / 29.53, 12) << "from day " << first;
    }
}

// The 64-pixel picture's disc: centre (31, 28), radius 28.
constexpr int kCx = 31;
constexpr int kCy = 28;
constexpr int kR = 28;

bool inDisc(int x, int y) {
    return (x - kCx) * (x - kCx) + (y - kCy) * (y - kCy) <= kR * kR;
}

// The shadow at a phase as a 64 by 64 grid, [y][x] true where a run darkens the pixel.
using Grid = std::array<std::array<bool, 64>, 64>;
Grid shadow(double phase) {
    Grid dark{};
    for (const PixelRun& run : moonShadow(kCx, kCy, kR, phase)) {
        for (int x = std::max(run.from, 0); x <= std::min(run.to, 63); ++x) {
            dark.at(static_cast<std::size_t>(run.y)).at(static_cast<std::size_t>(x)) = true;
        }
    }
    return dark;
}

// On the disc, dark exactly where `expected` holds.
template <typename Dark> void expectShadow(const Grid& dark, Dark expected) {
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (inDisc(x, y)) {
                ASSERT_EQ(dark.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x)),
                          expected(x, y))
                    << x << "," << y;
            }
        }
    }
}

TEST(MoonShading, QuartersNewAndFull) {
    const auto runs = moonShadow(kCx, kCy, kR, 90);
    ASSERT_EQ(runs.size(), 2U * kR + 1);
    EXPECT_EQ(runs.front().y, kCy - kR);
    EXPECT_EQ(runs.back().y, kCy + kR);
    expectShadow(shadow(90), [](int x, int) { return x <= kCx; });
    expectShadow(shadow(270), [](int x, int) { return x >= kCx; });
    expectShadow(shadow(180), [](int, int) { return true; });

    // Full: at most the leftmost pixel of a row's disc goes dark.
    const Grid full = shadow(0);
    for (int y = 0; y < 64; ++y) {
        bool leftmost = true;
        for (int x = 0; x < 64; ++x) {
            if (!inDisc(x, y)) {
                continue;
            }
            if (full.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x))) {
                EXPECT_TRUE(leftmost) << x << "," << y;
            }
            leftmost = false;
        }
    }
}

TEST(MoonShading, WaxingCrescentIsLitOnTheRight) {
    const Grid crescent = shadow(135);
    // Centre row: dark from the rim to cx + round(28 cos 45°) = 51, lit 52 to the rim at 59.
    for (int x = 0; x < 64; ++x) {
        const bool lit = inDisc(x, kCy) && !crescent.at(kCy).at(static_cast<std::size_t>(x));
        EXPECT_EQ(lit, x >= 52 && x <= 59) << x;
    }
    // On every row the lit part is one run reaching the disc's right edge.
    int lit = 0;
    int discPixels = 0;
    for (int y = 0; y < 64; ++y) {
        bool seenLit = false;
        for (int x = 0; x < 64; ++x) {
            if (!inDisc(x, y)) {
                continue;
            }
            const bool isLit =
                !crescent.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x));
            ++discPixels;
            lit += isLit ? 1 : 0;
            EXPECT_TRUE(!seenLit || isLit) << x << "," << y;
            seenLit = seenLit || isLit;
        }
    }
    // The lit share of a disc is (1 + cos phase) / 2: 14.6 % at 135 degrees.
    EXPECT_NEAR(static_cast<double>(lit) / discPixels, 0.146, 0.03);
}

} // namespace
} // namespace veskor
