#include "calendar/core/MonthGrid.h"

#include "common/DateUtils.h"

#include <algorithm>
#include <utility>

namespace veskor {

namespace {

// The range in which every shown day, the weeks around the month included, has a civil date.
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

DateTime dayCount(int year, int month, int day) {
    return static_cast<DateTime>(daysFromCivil(year, month, day));
}

} // namespace

MonthGrid::MonthGrid(std::function<DateTime()> now) : m_now(std::move(now)) {
    const CivilDate shown = civilFromDays(dateOf(m_now()));
    setMonth(shown.year, shown.month);
}

void MonthGrid::setMonth(int year, int month) {
    m_year = std::clamp(year, kMinYear, kMaxYear);
    m_month = month;
}

void MonthGrid::setDisplayYear(int year) {
    setMonth(std::clamp(year, kFirstYear, kLastYear), m_month);
}

void MonthGrid::setDisplayMonth(int month) {
    setMonth(m_year, std::clamp(month, 1, 12));
}

void MonthGrid::previousYear() {
    setMonth(m_year - 1, m_month);
}

void MonthGrid::nextYear() {
    setMonth(m_year + 1, m_month);
}

void MonthGrid::previousMonth() {
    if (m_month == 1) {
        if (m_year > kMinYear) {
            setMonth(m_year - 1, 12);
        }
    } else {
        setMonth(m_year, m_month - 1);
    }
}

void MonthGrid::nextMonth() {
    if (m_month == 12) {
        if (m_year < kMaxYear) {
            setMonth(m_year + 1, 1);
        }
    } else {
        setMonth(m_year, m_month + 1);
    }
}

DateTime MonthGrid::today() const {
    return static_cast<DateTime>(dateOf(m_now()));
}

DateTime MonthGrid::firstShownDay() const {
    const DateTime first = dayCount(m_year, m_month, 1);
    // dayOfWeek counts from Sunday = 1; the grid's columns from Monday.
    return first - (dayOfWeek(first) + 5) % 7;
}

DayCell MonthGrid::day(int row, int column) const {
    DayCell cell;
    cell.day = firstShownDay() + row * kDays + column;
    const CivilDate civil = decodeDate(cell.day);
    cell.dayNumber = civil.day;
    cell.inMonth = civil.month == m_month;
    cell.isToday = cell.day == today();
    const bool selected = isSelected(cell.day);
    if (cell.inMonth) {
        if (cell.isToday) {
            cell.background = CalendarShade::Today;
            cell.text = selected ? CalendarShade::Range : CalendarShade::Day;
        } else {
            cell.background = selected ? CalendarShade::Range : CalendarShade::Day;
            cell.text = CalendarShade::Text;
        }
    } else {
        cell.background = CalendarShade::Face;
        if (cell.isToday) {
            cell.text = CalendarShade::Today;
        } else {
            cell.text = selected ? CalendarShade::Range : CalendarShade::Text;
        }
    }
    return cell;
}

WeekCell MonthGrid::week(int row) const {
    const DateTime monday = firstShownDay() + row * kDays;
    WeekCell cell;
    cell.number = weekOfYear(monday);
    cell.thisWeek = todayRow() == row;
    if (cell.thisWeek) {
        cell.text = CalendarShade::Today;
    } else {
        cell.text = isSelected(monday) ? CalendarShade::Range : CalendarShade::Week;
    }
    return cell;
}

std::optional<int> MonthGrid::todayRow() const {
    const DateTime offset = today() - firstShownDay();
    if (offset < 0 || offset >= kRows * kDays) {
        return std::nullopt;
    }
    return static_cast<int>(offset) / kDays;
}

bool MonthGrid::isSelected(DateTime day) const {
    return m_start != 0 && day >= m_start && day <= m_finish;
}

void MonthGrid::setStartDate(DateTime day) {
    if (day == m_start) {
        return;
    }
    if (day == 0) {
        m_start = 0;
        m_finish = 0;
        return;
    }
    m_previousStart = m_start;
    m_start = day;
    if (onStartClick) {
        onStartClick(day);
    }
    if (day != m_finish) {
        setFinishDate(day);
    }
}

void MonthGrid::setFinishDate(DateTime day) {
    if (day == m_finish) {
        return;
    }
    if (day == 0) {
        m_start = 0;
        m_finish = 0;
        return;
    }
    m_previousFinish = m_finish;
    m_finish = day;
    if (onFinishClick) {
        onFinishClick(day);
    }
    if (day < m_start) {
        setStartDate(day);
    }
}

void MonthGrid::goToDate(DateTime day) {
    if (day == dayCount(m_year, m_month, 1)) {
        return;
    }
    const CivilDate civil = decodeDate(day);
    setMonth(civil.year, civil.month);
}

void MonthGrid::moveSelectionTo(DateTime day) {
    if (day < dayCount(kMinYear, 1, 1) || day > dayCount(kMaxYear, 12, 31)) {
        return;
    }
    setStartDate(day);
    goToDate(day);
}

void MonthGrid::moveSelectionByDays(int days) {
    moveSelectionTo((m_finish != 0 ? m_finish : today()) + days);
}

void MonthGrid::moveSelectionByMonths(int months) {
    const CivilDate from = decodeDate(m_finish != 0 ? m_finish : today());
    const int index = from.year * 12 + from.month - 1 + months;
    const int year = index / 12;
    const int month = index % 12 + 1;
    if (year < kMinYear || year > kMaxYear) {
        return;
    }
    moveSelectionTo(dayCount(year, month, std::min(from.day, daysInMonth(year, month))));
}

void MonthGrid::clickDay(int row, int column) {
    setStartDate(day(row, column).day);
}

void MonthGrid::clickWeek(int row) {
    const DateTime monday = firstShownDay() + row * kDays;
    const DateTime sunday = monday + kDays - 1;
    if (sunday > m_finish) {
        setFinishDate(sunday);
    }
    setStartDate(monday);
}

void MonthGrid::doubleClickDay(int row, int column) {
    // The double click's own press selects the day first, as a click does.
    clickDay(row, column);
    setStartDate(m_previousStart);
}

} // namespace veskor
