#include "namedays/core/SaintTable.h"

#include "common/DateTime.h"
#include "common/Error.h"
#include "support/TestSupport.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace veskor {
namespace {

using test::cp1250;

struct MonthEnds {
    int days; // in a leap year: the table has an entry for 29 February
    const char* firstUtf8;
    const char* lastUtf8;
};

// Each month's first and last name from the printed calendar; iconv, not the program, converts
// them. February's last entry is the one for 29 February.
constexpr std::array<MonthEnds, 12> kCalendarMonthEnds{{
    {31, "Nový rok", "Marika"},
    {29, "Hynek", "Horymír"},
    {31, "Bedřich", "Kvido"},
    {30, "Hugo", "Blahoslav"},
    {31, "Svátek práce", "Kamila"},
    {30, "Laura", "Šárka"},
    {31, "Jaroslava", "Ignác"},
    {31, "Oskar", "Pavlína"},
    {30, "Linda", "Jeroným"},
    {31, "Igor", "Štěpánka"},
    {30, "Felix", "Ondřej"},
    {31, "Iva", "Silvestr"},
}};

std::string listError(int index) {
    return "List index out of bounds (" + std::to_string(index) + ")";
}

// Entry i holds its position i + 1, so that a lookup shows which position it read.
SaintTable positionTable(int count) {
    std::vector<std::string> entries;
    for (int position = 1; position <= count; ++position) {
        entries.push_back(std::to_string(position));
    }
    return SaintTable(entries);
}

TEST(BuiltInSaints, EveryMonthStartsAndEndsOnTheCalendarsNames) {
    const std::vector<std::string>& saints = builtInSaints();
    ASSERT_EQ(saints.size(), 366U);
    std::size_t first = 0;
    for (const MonthEnds& month : kCalendarMonthEnds) {
        const std::size_t last = first + static_cast<std::size_t>(month.days) - 1;
        EXPECT_EQ(saints[first], cp1250(month.firstUtf8)) << "index " << first;
        EXPECT_EQ(saints[last], cp1250(month.lastUtf8)) << "index " << last;
        first = last + 1;
    }
    EXPECT_EQ(SaintTable().items(), saints);
}

TEST(SaintTable, AccessOutsideTheListFailsWithTheListError) {
    SaintTable list(std::vector<std::string>{"a", "b"});
    list.replace(1, "c");
    EXPECT_EQ(list.at(1), "c");
    for (const int bad : {-1, 2, 366}) {
        try {
            static_cast<void>(list.at(bad));
            ADD_FAILURE() << "Get(" << bad << ") did not fail";
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), listError(bad));
        }
        EXPECT_THROW(list.replace(bad, "x"), Error);
    }
    EXPECT_EQ(list.items(), (std::vector<std::string>{"a", "c"}));
}

struct DayPosition {
    int year;
    int month;
    int day;
    int position;
};

TEST(SaintOfDate, CommonYearsSkipTheLeapDaysEntry) {
    const SaintTable table = positionTable(366);
    constexpr std::array<DayPosition, 10> kDays{{{2024, 1, 1, 1},
                                                 {2023, 2, 28, 59},
                                                 {2024, 2, 29, 60},
                                                 {2000, 2, 29, 60},
                                                 {2023, 3, 1, 61},
                                                 {2024, 3, 1, 61},
                                                 {1900, 3, 1, 61},
                                                 {2023, 10, 28, 302},
                                                 {2023, 12, 31, 366},
                                                 {2024, 12, 31, 366}}};
    for (const DayPosition& d : kDays) {
        EXPECT_EQ(saintOfDate(table, encodeDate(d.year, d.month, d.day)),
                  std::to_string(d.position))
            << d.year << "-" << d.month << "-" << d.day;
    }
    // The time of day does not move the date.
    const DateTime lateEvening = encodeDate(2023, 1, 6) + encodeTime(23, 59, 59, 999);
    EXPECT_EQ(saintOfDate(table, lateEvening), "6");
}

TEST(SaintOfDate, ShortTableFailsOnlyPastItsLastEntry) {
    const SaintTable table = positionTable(59);
    EXPECT_EQ(saintOfDate(table, encodeDate(2023, 2, 28)), "59");
    try {
        static_cast<void>(saintOfDate(table, encodeDate(2023, 3, 1)));
        ADD_FAILURE() << "1 March read past a 59-entry table";
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), listError(60));
    }
    try {
        static_cast<void>(saintOfDate(table, encodeDate(2024, 2, 29)));
        ADD_FAILURE() << "29 February read past a 59-entry table";
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), listError(59));
    }
}

TEST(SaintPositionToDate, WalksEveryPositionInLeapAndCommonYears) {
    for (int position = 1; position <= 366; ++position) {
        EXPECT_EQ(saintPositionToDate(position, 2024), encodeDate(2024, 1, 1) + position - 1)
            << position;
        const DateTime common =
            position == 60 ? 0.0 : encodeDate(2023, 1, 1) + position - (position > 60 ? 2 : 1);
        EXPECT_EQ(saintPositionToDate(position, 2023), common) << position;
    }
    EXPECT_EQ(saintPositionToDate(60, 1900), 0.0);
    EXPECT_EQ(saintPositionToDate(60, 2000), encodeDate(2000, 2, 29));
    EXPECT_THROW(saintPositionToDate(0, 2024), Error);
    EXPECT_THROW(saintPositionToDate(367, 2024), Error);
}

struct Search {
    const char* nameUtf8;
    int year;
    int month; // 0: not found, the reference date comes back
    int day;
};

TEST(FindSaintDate, FoldsAsciiOnlyAndComparesWholeEntries) {
    const SaintTable holder;
    constexpr std::array<Search, 20> kSearches{{
        {"karina", 2023, 1, 2},        {"KARINA", 2024, 1, 2},        {"kArInA", 2023, 1, 2},
        {"Karina ", 2023, 0, 0},       {"čestmír", 2023, 0, 0}, // č is not folded to Č
        {"Čestmír", 2023, 1, 8},       {"ČESTMÍR", 2023, 0, 0}, // nor í to Í
        {"Petr", 2023, 2, 22},         {"Matylda", 2023, 0, 0},       {"Růt/Matylda", 2023, 3, 14},
        {"Státní svátek", 2023, 5, 8}, {"státní svátek", 2023, 5, 8}, {"Nový rok", 2023, 1, 1},
        {"Nový rok", 2024, 1, 1},      {"Silvestr", 2023, 12, 31},    {"Silvestr", 2024, 12, 31},
        {"Bedřich", 2023, 3, 1},       {"Horymír", 2024, 2, 29},      {"", 2023, 0, 0},
        {"Petr a", 2023, 0, 0},
    }};
    for (const Search& s : kSearches) {
        const DateTime reference = encodeDate(s.year, 7, 15) + 0.25;
        const DateTime expected = s.month == 0 ? reference : encodeDate(s.year, s.month, s.day);
        EXPECT_EQ(findSaintDate(holder, cp1250(s.nameUtf8), reference), expected)
            << s.nameUtf8 << " in " << s.year;
    }
    // 29 February has no date in a common year: day count 0, not the reference date.
    EXPECT_EQ(findSaintDate(holder, cp1250("Horymír"), encodeDate(2023, 7, 15)), 0.0);
    EXPECT_EQ(findSaintIndex(holder, cp1250("Petr a Pavel")), 180);
}

TEST(FindSaintDate, EntriesPastTheYearHaveNoDate) {
    std::vector<std::string> lines = builtInSaints();
    lines.emplace_back("Extra");
    lines.emplace_back("");
    const SaintTable table(lines);
    const DateTime reference = encodeDate(2024, 3, 3);
    EXPECT_EQ(findSaintIndex(table, "EXTRA"), 366);
    EXPECT_EQ(findSaintDate(table, "EXTRA", reference), reference);
    EXPECT_EQ(findSaintDate(table, "", reference), reference);
    lines[10] = "";
    EXPECT_EQ(findSaintDate(SaintTable(lines), "", reference), encodeDate(2024, 1, 11));
}

} // namespace
} // namespace veskor
