// The month grid's layout, looks and selection rules, at a fixed today.

#include "calendar/core/MonthGrid.h"

#include <gtest/gtest.h>
#include <vector>

namespace veskor {
namespace {

// A grid made on 6 July 1998 showing year/month, recording the events it fires.
struct Rig {
    DateTime now = encodeDate(1998, 7, 6) + 0.4;
    MonthGrid grid{[this] { return now; }};
    std::vector<DateTime> starts;
    std::vector<DateTime> finishes;

    Rig() {
        grid.onStartClick = [this](DateTime d) { starts.push_back(d); };
        grid.onFinishClick = [this](DateTime d) { finishes.push_back(d); };
    }
    Rig& show(int year, int month) {
        grid.goToDate(encodeDate(year, month, 1));
        return *this;
    }
    std::vector<int> weeks() const {
        std::vector<int> numbers;
        for (int row = 0; row < MonthGrid::kRows; ++row) {
            numbers.push_back(grid.week(row).number);
        }
        return numbers;
    }
    void select(DateTime day) {
        grid.setStartDate(day);
        starts.clear();
        finishes.clear();
    }
};

TEST(MonthGrid, WeekNumbersAcrossYearEnds) {
    Rig rig;
    EXPECT_EQ(rig.show(2010, 1).weeks(), (std::vector<int>{53, 1, 2, 3, 4, 5}));
    EXPECT_EQ(rig.show(2022, 5).weeks(), (std::vector<int>{17, 18, 19, 20, 21, 22}));
    EXPECT_EQ(rig.show(2008, 12).weeks(), (std::vector<int>{49, 50, 51, 52, 1, 2}));
}

TEST(MonthGrid, LeadingAndTrailingDays) {
    Rig rig;
    // January 2010 begins on a Friday: four days of December lead, seven of February trail.
    rig.show(2010, 1);
    EXPECT_EQ(rig.grid.firstShownDay(), encodeDate(2009, 12, 28));
    EXPECT_FALSE(rig.grid.day(0, 3).inMonth);
    EXPECT_TRUE(rig.grid.day(0, 4).inMonth);
    EXPECT_EQ(rig.grid.day(4, 6).dayNumber, 31);
    EXPECT_EQ(rig.grid.day(5, 6).day, encodeDate(2010, 2, 7));
    EXPECT_FALSE(rig.grid.day(5, 6).inMonth);
    // February 2010 begins on a Monday: no leading days.
    rig.show(2010, 2);
    EXPECT_EQ(rig.grid.day(0, 0).day, encodeDate(2010, 2, 1));
}

TEST(MonthGrid, LooksOfTodayTheSelectionAndTheirWeeks) {
    Rig rig; // Shows July 1998, nothing selected; today is Monday the 6th, in row 1.
    EXPECT_EQ(rig.grid.displayMonth(), 7);
    EXPECT_EQ(rig.grid.todayRow(), 1);
    const DayCell today = rig.grid.day(1, 0);
    EXPECT_TRUE(today.isToday);
    EXPECT_EQ(today.background, CalendarShade::Today);
    EXPECT_EQ(today.text, CalendarShade::Day);
    EXPECT_TRUE(rig.grid.week(1).thisWeek);
    EXPECT_EQ(rig.grid.week(1).text, CalendarShade::Today);
    EXPECT_EQ(rig.grid.week(2).text, CalendarShade::Week);

    rig.select(encodeDate(1998, 7, 6));
    EXPECT_EQ(rig.grid.day(1, 0).text, CalendarShade::Range);
    rig.select(encodeDate(1998, 7, 13)); // the Monday of row 2
    EXPECT_EQ(rig.grid.day(2, 0).background, CalendarShade::Range);
    EXPECT_EQ(rig.grid.day(2, 0).text, CalendarShade::Text);
    EXPECT_EQ(rig.grid.week(2).text, CalendarShade::Range);

    // A selected day of the month after: on the face, in the selection's colour.
    rig.select(encodeDate(1998, 8, 2));
    EXPECT_EQ(rig.grid.day(4, 6).background, CalendarShade::Face);
    EXPECT_EQ(rig.grid.day(4, 6).text, CalendarShade::Range);

    // Today among the trailing days of June: its cell and its week still show it.
    rig.show(1998, 6);
    EXPECT_EQ(rig.grid.todayRow(), 5);
    EXPECT_EQ(rig.grid.day(5, 0).background, CalendarShade::Face);
    EXPECT_EQ(rig.grid.day(5, 0).text, CalendarShade::Today);
    EXPECT_TRUE(rig.grid.week(5).thisWeek);

    rig.show(1998, 9);
    EXPECT_FALSE(rig.grid.todayRow().has_value());
    for (int row = 0; row < MonthGrid::kRows; ++row) {
        EXPECT_FALSE(rig.grid.week(row).thisWeek);
    }
}

TEST(MonthGrid, NavigationCrossesYearsAndKeepsTheSelection) {
    Rig rig;
    rig.select(encodeDate(1999, 12, 24));
    rig.show(1999, 12);
    rig.grid.nextMonth();
    EXPECT_EQ(rig.grid.displayYear(), 2000);
    EXPECT_EQ(rig.grid.displayMonth(), 1);
    rig.grid.previousMonth();
    rig.grid.previousMonth();
    rig.grid.nextYear();
    EXPECT_EQ(rig.grid.displayYear(), 2000);
    EXPECT_EQ(rig.grid.displayMonth(), 11);
    EXPECT_EQ(rig.grid.finishDate(), encodeDate(1999, 12, 24));
    EXPECT_TRUE(rig.starts.empty());
    EXPECT_TRUE(rig.finishes.empty());

    // The setters hold their ranges; the buttons do not.
    rig.grid.setDisplayYear(1850);
    EXPECT_EQ(rig.grid.displayYear(), 1900);
    rig.grid.previousYear();
    EXPECT_EQ(rig.grid.displayYear(), 1899);
}

TEST(MonthGrid, KeysMoveTheSelectionAndShowItsMonth) {
    Rig rig;
    rig.grid.moveSelectionByDays(-7); // nothing selected: from today
    EXPECT_EQ(rig.grid.finishDate(), encodeDate(1998, 6, 29));
    EXPECT_EQ(rig.grid.displayMonth(), 6);
    EXPECT_EQ(rig.finishes, (std::vector<DateTime>{encodeDate(1998, 6, 29)}));

    // A month on, the day stays, or becomes the month's last.
    rig.select(encodeDate(2000, 1, 31));
    rig.grid.moveSelectionByMonths(1);
    EXPECT_EQ(rig.grid.finishDate(), encodeDate(2000, 2, 29));
    rig.grid.moveSelectionByMonths(-12);
    EXPECT_EQ(rig.grid.finishDate(), encodeDate(1999, 2, 28));
    EXPECT_EQ(rig.grid.displayYear(), 1999);
    EXPECT_EQ(rig.grid.displayMonth(), 2);

    // Not past the first day count with a date.
    rig.select(encodeDate(1, 1, 15));
    rig.grid.moveSelectionByMonths(-1);
    rig.grid.moveSelectionByDays(-15);
    EXPECT_EQ(rig.grid.finishDate(), encodeDate(1, 1, 15));
}

TEST(MonthGrid, ClickingADaySelectsItOnce) {
    Rig rig;
    rig.grid.clickDay(2, 3); // 16 July 1998
    EXPECT_EQ(rig.grid.startDate(), encodeDate(1998, 7, 16));
    EXPECT_EQ(rig.grid.finishDate(), encodeDate(1998, 7, 16));
    EXPECT_EQ(rig.finishes, (std::vector<DateTime>{encodeDate(1998, 7, 16)}));
    rig.grid.clickDay(2, 3);
    EXPECT_EQ(rig.finishes.size(), 1U);
}

TEST(MonthGrid, ClickingAWeekNumber) {
    Rig rig;
    const DateTime monday = encodeDate(1998, 7, 13);
    const DateTime sunday = encodeDate(1998, 7, 19);
    // From an earlier day: the Sunday is reported first, the Monday ends up selected.
    rig.select(encodeDate(1998, 7, 1));
    rig.grid.clickWeek(2);
    EXPECT_EQ(rig.finishes, (std::vector<DateTime>{sunday, monday}));
    EXPECT_EQ(rig.grid.startDate(), monday);
    EXPECT_EQ(rig.grid.finishDate(), monday);
    // From the Monday itself: the start stays and the finish stays on the Sunday.
    rig.grid.clickWeek(2);
    EXPECT_EQ(rig.grid.startDate(), monday);
    EXPECT_EQ(rig.grid.finishDate(), sunday);
    EXPECT_TRUE(rig.grid.isSelected(encodeDate(1998, 7, 16)));
    // From a later day: the Monday only.
    rig.select(encodeDate(1998, 7, 30));
    rig.grid.clickWeek(2);
    EXPECT_EQ(rig.finishes, (std::vector<DateTime>{monday}));
    EXPECT_EQ(rig.grid.finishDate(), monday);
}

TEST(MonthGrid, DoubleClickReturnsToThePreviousStart) {
    Rig rig;
    rig.grid.clickDay(1, 0); // 6th
    rig.grid.clickDay(1, 1); // 7th
    // On an unselected day: its own press selects it, the double click goes back to the 7th.
    rig.grid.clickDay(1, 2);
    rig.grid.doubleClickDay(1, 2);
    EXPECT_EQ(rig.grid.finishDate(), encodeDate(1998, 7, 7));
    // On the selected day: back to the day selected before it, the 8th.
    rig.grid.clickDay(1, 1);
    rig.grid.doubleClickDay(1, 1);
    EXPECT_EQ(rig.grid.finishDate(), encodeDate(1998, 7, 8));
    EXPECT_EQ(rig.grid.startDate(), encodeDate(1998, 7, 8));
}

TEST(MonthGrid, ZeroClearsTheSelectionQuietlyAndShowsDay0) {
    Rig rig;
    rig.select(encodeDate(1998, 7, 6));
    rig.grid.setFinishDate(0);
    EXPECT_EQ(rig.grid.startDate(), 0);
    EXPECT_EQ(rig.grid.finishDate(), 0);
    EXPECT_TRUE(rig.finishes.empty());
    // A finish before the start moves the start with it.
    rig.select(encodeDate(1998, 7, 20));
    rig.grid.setFinishDate(encodeDate(1998, 7, 10));
    EXPECT_EQ(rig.grid.startDate(), encodeDate(1998, 7, 10));
    rig.grid.goToDate(0);
    EXPECT_EQ(rig.grid.displayYear(), 1899);
    EXPECT_EQ(rig.grid.displayMonth(), 12);
}

} // namespace
} // namespace veskor
