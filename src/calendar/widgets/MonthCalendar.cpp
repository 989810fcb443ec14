#include "calendar/widgets/MonthCalendar.h"

#include "ui/Style.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <array>
#include <optional>

namespace veskor {

namespace {

// Colours of this control only; the rest come from the program's style.
const QColor kRangeColor(0, 128, 0);
const QColor kTodayColor(0, 0, 255);

constexpr int kButtonWidth = 21;
constexpr int kButtonHeight = 22;
constexpr int kButtonMargin = 4;
constexpr int kFontSize = 11; // 8 points

constexpr std::array<const char*, MonthGrid::kDays> kDayHeaders = {
    QT_TRANSLATE_NOOP("veskor::MonthCalendar", "Mo"),
    QT_TRANSLATE_NOOP("veskor::MonthCalendar", "Tu"),
    QT_TRANSLATE_NOOP("veskor::MonthCalendar", "We"),
    QT_TRANSLATE_NOOP("veskor::MonthCalendar", "Th"),
    QT_TRANSLATE_NOOP("veskor::MonthCalendar", "Fr"),
    QT_TRANSLATE_NOOP("veskor::MonthCalendar", "Sa"),
    QT_TRANSLATE_NOOP("veskor::MonthCalendar", "Su")};

struct GridPos {
    int row = 0;
    int column = 0; // -1: the week number
};

} // namespace

MonthCalendar::MonthCalendar(std::function<DateTime()> now, QWidget* parent)
    : QWidget(parent), m_grid(std::move(now)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(style::uiFont(kFontSize, false));
    m_grid.onStartClick = [this](DateTime day) { emit startClicked(day); };
    m_grid.onFinishClick = [this](DateTime day) { emit finishClicked(day); };
    m_previousYear = addButton("<<", tr("- Year"), &MonthGrid::previousYear);
    m_previousMonth = addButton("<", tr("- Month"), &MonthGrid::previousMonth);
    m_nextMonth = addButton(">", tr("+ Month"), &MonthGrid::nextMonth);
    m_nextYear = addButton(">>", tr("+ Year"), &MonthGrid::nextYear);
    placeButtons();
}

QToolButton* MonthCalendar::addButton(const QString& text, const QString& hint,
                                      void (MonthGrid::*step)()) {
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(style::uiFont(kFontSize, true));
    button->setFixedSize(kButtonWidth, kButtonHeight);
    connect(button, &QToolButton::clicked, this, [this, step] {
        (m_grid.*step)();
        update();
    });
    return button;
}

void MonthCalendar::placeButtons() {
    const int top = (kTitleHeight - kButtonHeight) / 2;
    m_previousYear->move(kButtonMargin, top);
    m_previousMonth->move(kButtonMargin + kButtonWidth, top);
    m_nextYear->move(width() - kButtonMargin - kButtonWidth, top);
    m_nextMonth->move(width() - kButtonMargin - 2 * kButtonWidth, top);
}

void MonthCalendar::setStartDate(DateTime day) {
    m_grid.setStartDate(day);
    update();
}

void MonthCalendar::setFinishDate(DateTime day) {
    m_grid.setFinishDate(day);
    update();
}

void MonthCalendar::goToDate(DateTime day) {
    m_grid.goToDate(day);
    update();
}

QString MonthCalendar::title() const {
    // The month named on its own, not within a date: Czech "prosinec 2026", not "prosince".
    return QLocale().standaloneMonthName(m_grid.displayMonth(), QLocale::LongFormat) + ' ' +
           QString("%1").arg(m_grid.displayYear(), 4, 10, QChar('0'));
}

int MonthCalendar::dayWidth() const {
    return width() / (MonthGrid::kDays + 1);
}

int MonthCalendar::weekWidth() const {
    return width() - MonthGrid::kDays * dayWidth();
}

int MonthCalendar::rowHeight() const {
    const int gridHeight = height() - kTitleHeight;
    return (gridHeight - height() / 14) / MonthGrid::kRows;
}

int MonthCalendar::headerHeight() const {
    return height() - kTitleHeight - MonthGrid::kRows * rowHeight();
}

QRect MonthCalendar::dayRect(int row, int column) const {
    return {weekWidth() + column * dayWidth(), kTitleHeight + headerHeight() + row * rowHeight(),
            dayWidth(), rowHeight()};
}

QRect MonthCalendar::weekRect(int row) const {
    return {0, kTitleHeight + headerHeight() + row * rowHeight(), weekWidth(), rowHeight()};
}

namespace {

std::optional<GridPos> gridPosAt(QPoint pos, int top, int weekWidth, int dayWidth, int rowHeight) {
    if (pos.y() < top || pos.x() < 0 || rowHeight <= 0 || dayWidth <= 0) {
        return std::nullopt;
    }
    const int row = (pos.y() - top) / rowHeight;
    if (row >= MonthGrid::kRows) {
        return std::nullopt;
    }
    if (pos.x() < weekWidth) {
        return GridPos{row, -1};
    }
    const int column = (pos.x() - weekWidth) / dayWidth;
    if (column >= MonthGrid::kDays) {
        return std::nullopt;
    }
    return GridPos{row, column};
}

} // namespace

QString MonthCalendar::hintAt(QPoint pos) const {
    const auto at =
        gridPosAt(pos, kTitleHeight + headerHeight(), weekWidth(), dayWidth(), rowHeight());
    if (!at) {
        return {};
    }
    if (at->column < 0) {
        return m_grid.week(at->row).thisWeek ? tr("This week") : QString();
    }
    return m_grid.day(at->row, at->column).isToday ? tr("Today") : QString();
}

QColor MonthCalendar::color(CalendarShade shade) const {
    switch (shade) {
    case CalendarShade::Day:
        return palette().color(QPalette::Base);
    case CalendarShade::Range:
        return kRangeColor;
    case CalendarShade::Today:
        return kTodayColor;
    case CalendarShade::Face:
        return style::kSilver;
    case CalendarShade::Text:
        return palette().color(QPalette::WindowText);
    case CalendarShade::Week:
        return style::kMaroon;
    }
    return {};
}

void MonthCalendar::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), color(CalendarShade::Face));

    p.setFont(style::uiFont(kFontSize, true));
    p.setPen(color(CalendarShade::Text));
    p.drawText(QRect(0, 0, width(), kTitleHeight), Qt::AlignCenter, title());

    p.setFont(font());
    const QRect header(0, kTitleHeight, width(), headerHeight());
    p.setPen(color(CalendarShade::Week));
    p.drawText(QRect(header.left(), header.top(), weekWidth(), header.height()), Qt::AlignCenter,
               tr("Wk"));
    p.setPen(color(CalendarShade::Text));
    for (int column = 0; column < MonthGrid::kDays; ++column) {
        const QRect cell(dayRect(0, column).left(), header.top(), dayWidth(), header.height());
        p.drawText(cell, Qt::AlignCenter, tr(kDayHeaders.at(static_cast<std::size_t>(column))));
    }
    p.setPen(style::kGray);
    p.drawLine(header.bottomLeft(), header.bottomRight());

    for (int row = 0; row < MonthGrid::kRows; ++row) {
        const WeekCell week = m_grid.week(row);
        p.setPen(color(week.text));
        p.drawText(weekRect(row), Qt::AlignCenter, QString::number(week.number));
        for (int column = 0; column < MonthGrid::kDays; ++column) {
            const DayCell day = m_grid.day(row, column);
            const QRect cell = dayRect(row, column);
            // A pixel of the face between cells keeps the days apart.
            p.fillRect(cell.adjusted(1, 1, -1, 0), color(day.background));
            p.setPen(color(day.text));
            p.drawText(cell, Qt::AlignCenter, QString::number(day.dayNumber));
        }
    }
}

void MonthCalendar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const auto at = gridPosAt(event->position().toPoint(), kTitleHeight + headerHeight(),
                              weekWidth(), dayWidth(), rowHeight());
    if (!at) {
        return;
    }
    if (at->column < 0) {
        m_grid.clickWeek(at->row);
    } else {
        m_grid.clickDay(at->row, at->column);
    }
    setToolTip(hintAt(event->position().toPoint()));
    update();
}

void MonthCalendar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const auto at = gridPosAt(event->position().toPoint(), kTitleHeight + headerHeight(),
                              weekWidth(), dayWidth(), rowHeight());
    if (!at) {
        return;
    }
    if (at->column < 0) {
        // On a week number the second press acts as a click.
        m_grid.clickWeek(at->row);
    } else {
        m_grid.doubleClickDay(at->row, at->column);
    }
    update();
}

void MonthCalendar::mouseMoveEvent(QMouseEvent* event) {
    // The hint belongs to the cell under the mouse; the program's hints read it from here.
    setToolTip(hintAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void MonthCalendar::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        m_grid.moveSelectionByDays(-1);
        break;
    case Qt::Key_Right:
        m_grid.moveSelectionByDays(1);
        break;
    case Qt::Key_Up:
        m_grid.moveSelectionByDays(-MonthGrid::kDays);
        break;
    case Qt::Key_Down:
        m_grid.moveSelectionByDays(MonthGrid::kDays);
        break;
    case Qt::Key_PageUp:
        m_grid.moveSelectionByMonths(-1);
        break;
    case Qt::Key_PageDown:
        m_grid.moveSelectionByMonths(1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
}

void MonthCalendar::resizeEvent(QResizeEvent* /*event*/) {
    placeButtons();
}

} // namespace veskor
