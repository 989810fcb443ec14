// The texts of the tick, the screen fit and the tick schedule.

#include "bar/core/StatusTexts.h"

#include "bar/core/ScreenFit.h"
#include "common/DateTime.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

DateTime at(int y, int m, int d, int h = 0, int n = 0, int s = 0) {
    return encodeDate(y, m, d) + encodeTime(h, n, s, 0);
}

TEST(DateRow, EveryTextOfTheTick) {
    const SaintTable saints;
    const DateRowTexts t = computeDateRow(at(1998, 7, 6, 7, 5, 9), saints, LocaleFormat::english());
    EXPECT_EQ(t.date, "Mo, 6.7. 1998");
    EXPECT_EQ(t.dateHint, " Day of year: 187 \r\n Week: 28 ");
    EXPECT_EQ(t.time, "07:05:09");
    EXPECT_EQ(t.saint, "Jan Hus");
    EXPECT_EQ(t.saintHint, " Tomorrow saint: Bohuslava ");
    EXPECT_TRUE(t.error.empty());
}

TEST(DateRow, SaintAndTomorrowAcrossYearEndsAndFebruary) {
    const SaintTable saints;
    const auto row = [&](int y, int m, int d) {
        return computeDateRow(at(y, m, d, 23, 59, 59), saints, LocaleFormat::english());
    };
    EXPECT_EQ(row(2025, 12, 31).saint, "Silvestr");
    EXPECT_EQ(row(2025, 12, 31).saintHint, " Tomorrow saint: Nový rok ");
    EXPECT_EQ(row(2024, 12, 31).saint, "Silvestr");
    EXPECT_EQ(row(2026, 1, 1).saint, "Nový rok");
    EXPECT_EQ(row(2026, 1, 1).saintHint, " Tomorrow saint: Karina ");
    // A common year skips 29 February's slot; a leap year shows it.
    EXPECT_EQ(row(2023, 2, 28).saint, "Lumír");
    EXPECT_EQ(row(2023, 2, 28).saintHint, " Tomorrow saint: Bedřich ");
    EXPECT_EQ(row(2024, 2, 28).saintHint, " Tomorrow saint: Horymír ");
    EXPECT_EQ(row(2024, 2, 29).saint, "Horymír");
    EXPECT_EQ(row(2023, 3, 1).saint, "Bedřich");
    EXPECT_EQ(row(2024, 3, 1).saint, "Bedřich");
}

TEST(DateRow, WeekNumbersInTheHint) {
    const SaintTable saints;
    const auto hint = [&](int y, int m, int d) {
        return computeDateRow(at(y, m, d), saints, LocaleFormat::english()).dateHint;
    };
    EXPECT_EQ(hint(2014, 12, 29), " Day of year: 363 \r\n Week: 1 ");
    EXPECT_EQ(hint(2014, 12, 28), " Day of year: 362 \r\n Week: 52 ");
    EXPECT_EQ(hint(2015, 12, 31), " Day of year: 365 \r\n Week: 53 ");
    EXPECT_EQ(hint(2016, 1, 1), " Day of year: 1 \r\n Week: 53 ");
    EXPECT_EQ(hint(2024, 12, 31), " Day of year: 366 \r\n Week: 1 ");
}

TEST(DateRow, WeekdayAbbreviationTakesTwoCharactersAndCapitalisesOnlyAToZ) {
    LocaleFormat czech = LocaleFormat::english();
    czech.longDayNames = {"neděle", "pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota"};
    EXPECT_EQ(weekdayAbbreviation(at(2026, 12, 7), czech), "Po");
    // The accented first letter of Tuesday stays as it is; the second character is multi-byte.
    EXPECT_EQ(weekdayAbbreviation(at(2026, 12, 8), czech), "út");
    EXPECT_EQ(weekdayAbbreviation(at(2026, 12, 10), czech), "čt");
    EXPECT_EQ(weekdayAbbreviation(at(2026, 12, 11), czech), "Pá");
    LocaleFormat shortNames = czech;
    shortNames.longDayNames[1] = "x";
    EXPECT_EQ(weekdayAbbreviation(at(2026, 12, 7), shortNames), "X");
}

TEST(DateRow, TableTooShortForTheDayIsAnErrorNotACrash) {
    SaintTable shortTable(std::vector<std::string>(100, "Name"));
    const DateRowTexts t = computeDateRow(at(2026, 12, 7), shortTable, LocaleFormat::english());
    EXPECT_EQ(t.error, "List index out of bounds (341)");
    EXPECT_FALSE(t.saint || t.tomorrow || t.saintHint);
    EXPECT_EQ(t.time, "00:00:00"); // the rest of the row is still filled
    // A table that ends on the day: today's name shows, only tomorrow's is missing.
    const DateRowTexts edge = computeDateRow(at(2024, 4, 9), shortTable, LocaleFormat::english());
    EXPECT_EQ(edge.error, "List index out of bounds (100)");
    EXPECT_EQ(edge.saint, "Name");
    EXPECT_FALSE(edge.tomorrow || edge.saintHint);
}

TEST(MemRow, TextsAndHintsWithBothSeparators) {
    MemoryStatus m;
    m.memoryLoad = 63;
    m.totalPhys = 65536ULL * 1024;
    m.availPhys = 6752ULL * 1024 + 1023; // whole kilobytes only
    m.totalPageFile = 131072ULL * 1024;
    m.availPageFile = 0;
    LocaleFormat locale = LocaleFormat::english();
    MemRowTexts t = computeMemRow(m, locale);
    EXPECT_EQ(t.freeShare, "37%");
    EXPECT_EQ(t.freePhysical, "6,752 KB");
    EXPECT_EQ(t.freePhysicalHint, " Free physical memory \r\nTotal: 65,536 KB");
    EXPECT_EQ(t.freeSwap, " 0 KB ");
    EXPECT_EQ(t.freeSwapHint, " Free page file \r\n Total: 131,072 KB ");
    locale.thousandsSeparator = ".";
    t = computeMemRow(m, locale);
    EXPECT_EQ(t.freePhysicalHint, " Free physical memory \r\nTotal: 65.536 KB");
}

TEST(MemRow, FiguresAboveFourGibibytes) {
    MemoryStatus m;
    m.memoryLoad = 12;
    m.totalPhys = 32ULL << 30;
    m.availPhys = (28ULL << 30) + (512ULL << 20);
    m.totalPageFile = 8ULL << 30;
    m.availPageFile = 8ULL << 30;
    const MemRowTexts t = computeMemRow(m, LocaleFormat::english());
    EXPECT_EQ(t.freeShare, "88%");
    EXPECT_EQ(t.freePhysical, "29,884,416 KB");
    EXPECT_EQ(t.freePhysicalHint, " Free physical memory \r\nTotal: 33,554,432 KB");
    EXPECT_EQ(t.freeSwap, " 8,388,608 KB ");
}

TEST(TickSchedule, LandsJustAfterTheNextSecond) {
    for (int ms : {0, 1, 500, 998, 999}) {
        const int wait = msUntilNextTick(ms);
        EXPECT_GT(wait, 0);
        EXPECT_EQ((ms + wait) % 1000, kTickMarginMs) << ms;
        EXPECT_LE(wait, 1000 + kTickMarginMs);
    }
}

TEST(ScreenFit, PullsBackOverEveryEdge) {
    constexpr int W = 1024;
    constexpr int H = 768;
    EXPECT_EQ(pullOntoScreen({W - 100, H - 5, 278, 21}, W, H),
              (WindowRect{W - 278, H - 21, 278, 21}));
    EXPECT_EQ(pullOntoScreen({-50, -10, 278, 21}, W, H), (WindowRect{0, 0, 278, 21}));
    EXPECT_EQ(pullOntoScreen({-2147483647 - 1, -100000, 278, 21}, W, H),
              (WindowRect{0, 0, 278, 21}));
    EXPECT_EQ(pullOntoScreen({2147483647, 2147483647, 278, 21}, W, H),
              (WindowRect{W - 278, H - 21, 278, 21}));
    EXPECT_EQ(pullOntoScreen({746, 0, 278, 21}, W, H), (WindowRect{746, 0, 278, 21}));
    // Taller than the screen: the top stays on it.
    EXPECT_EQ(pullOntoScreen({0, 50, 278, 799}, W, 600).top, 0);
}

} // namespace
} // namespace veskor
