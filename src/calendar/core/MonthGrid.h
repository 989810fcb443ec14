#pragma once
// The month calendar's state without its drawing: the displayed month laid out as six weeks from
// Monday with their ISO week numbers, the single selected day and the rules by which clicks and
// the panel change it. Day counts are whole; 0 stands for "no selection".

#include "common/DateTime.h"

#include <functional>
#include <optional>

namespace veskor {

// The colours a cell is drawn in, named by their role; the control maps them to its palette.
enum class CalendarShade {
    Day,   // the window colour: an unselected day of the displayed month
    Range, // the selection (green)
    Today, // blue
    Face,  // the control's own background: days of the months around
    Text,  // the control's font colour
    Week,  // week numbers (maroon)
};

struct DayCell {
    DateTime day = 0;
    int dayNumber = 0; // 1..31, as shown
    bool inMonth = false;
    bool isToday = false;
    CalendarShade background = CalendarShade::Day;
    CalendarShade text = CalendarShade::Text;
};

struct WeekCell {
    int number = 0; // ISO 8601 week of the row's Monday
    bool thisWeek = false;
    CalendarShade text = CalendarShade::Week;
};

class MonthGrid final {
public:
    static constexpr int kRows = 6;
    static constexpr int kDays = 7;
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2100;

    // Shows the month of the day it is made on; nothing selected.
    explicit MonthGrid(std::function<DateTime()> now);

    [[nodiscard]] int displayYear() const { return m_year; }
    [[nodiscard]] int displayMonth() const { return m_month; }
    // Held to 1900-2100 and 1-12.
    void setDisplayYear(int year);
    void setDisplayMonth(int month);
    // The navigation buttons: no event, the selection stays, and only the day count's own range
    // (years 1-9999) limits them.
    void previousYear();
    void nextYear();
    void previousMonth();
    void nextMonth();

    [[nodiscard]] DateTime today() const;
    // The Monday of the first row.
    [[nodiscard]] DateTime firstShownDay() const;
    [[nodiscard]] DayCell day(int row, int column) const;
    [[nodiscard]] WeekCell week(int row) const;
    // The row holding today's cell, when today is on show.
    [[nodiscard]] std::optional<int> todayRow() const;

    [[nodiscard]] DateTime startDate() const { return m_start; }
    [[nodiscard]] DateTime finishDate() const { return m_finish; }
    [[nodiscard]] DateTime previousStartDate() const { return m_previousStart; }
    [[nodiscard]] DateTime previousFinishDate() const { return m_previousFinish; }
    [[nodiscard]] bool isSelected(DateTime day) const;

    // Single-date selection: either keeps start and finish on the same day (0 clears both).
    void setStartDate(DateTime day);
    void setFinishDate(DateTime day);
    // Shows the month of day unless the display already starts on it.
    void goToDate(DateTime day);

    // The keyboard: the selected day (today when none) moves by days, or by months to the same
    // day or the month's last, and the new day's month is shown. Nothing moves past years 1-9999.
    void moveSelectionByDays(int days);
    void moveSelectionByMonths(int months);

    // The mouse rules.
    void clickDay(int row, int column);
    void clickWeek(int row);
    // Returns to the start in force before its most recent change.
    void doubleClickDay(int row, int column);

    // Fired with the new day each time the start or the finish moves to a day.
    std::function<void(DateTime)> onStartClick;
    std::function<void(DateTime)> onFinishClick;

private:
    void setMonth(int year, int month);
    void moveSelectionTo(DateTime day);

    std::function<DateTime()> m_now;
    int m_year = kFirstYear;
    int m_month = 1;
    DateTime m_start = 0;
    DateTime m_finish = 0;
    DateTime m_previousStart = 0;
    DateTime m_previousFinish = 0;
};

} // namespace veskor
