#pragma once
// The program's own month control: a title row with the month and four navigation buttons, and
// a grid of ISO week numbers and days from Monday, today in blue and the selected day in green.

#include "calendar/core/MonthGrid.h"

#include <QWidget>

class QToolButton;

namespace veskor {

class MonthCalendar final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTitleHeight = 26;

    // now gives today for the colours and the month shown at first.
    MonthCalendar(std::function<DateTime()> now, QWidget* parent);

    [[nodiscard]] const MonthGrid& grid() const { return m_grid; }
    [[nodiscard]] DateTime startDate() const { return m_grid.startDate(); }
    [[nodiscard]] DateTime finishDate() const { return m_grid.finishDate(); }
    void setStartDate(DateTime day);
    void setFinishDate(DateTime day);
    void goToDate(DateTime day);

    // The month's title, as drawn: "June 1998".
    [[nodiscard]] QString title() const;
    // Where a day or a week number is drawn, in the control's coordinates.
    [[nodiscard]] QRect dayRect(int row, int column) const;
    [[nodiscard]] QRect weekRect(int row) const;
    // The hint of the cell under pos: "Today", "This week" or none.
    [[nodiscard]] QString hintAt(QPoint pos) const;
    [[nodiscard]] QColor color(CalendarShade shade) const;

signals:
    // Day counts (DateTime), spelled as double so that signal spies and queued connections know
    // the type.
    void startClicked(double day);
    void finishClicked(double day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The arrows move the selection by a day or a week, Page Up and Page Down by a month.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The grid's column widths and row heights follow the control's size.
    [[nodiscard]] int dayWidth() const;
    [[nodiscard]] int weekWidth() const;
    [[nodiscard]] int rowHeight() const;
    [[nodiscard]] int headerHeight() const;
    QToolButton* addButton(const QString& text, const QString& hint, void (MonthGrid::*step)());
    void placeButtons();

    MonthGrid m_grid;
    QToolButton* m_previousYear = nullptr;
    QToolButton* m_previousMonth = nullptr;
    QToolButton* m_nextMonth = nullptr;
    QToolButton* m_nextYear = nullptr;
};

} // namespace veskor
