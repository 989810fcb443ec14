#include "calendar/widgets/CalendarPanel.h"

#include "calendar/widgets/MonthCalendar.h"
#include "calendar/widgets/MoonView.h"
#include "common/Cp1250.h"
#include "common/DateUtils.h"
#include "common/Error.h"
#include "ui/ShadowLabel.h"
#include "ui/SidePanel.h"
#include "ui/Style.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QLocale>
#include <QShortcut>
#include <QToolButton>

namespace veskor {

namespace {

constexpr int kLabelFontSize = 11; // 8 points
constexpr int kButtonWidth = 16;

// "Encoded date: 35982.000000000000000", with the locale's decimal separator.
QString encodedDateHint(DateTime day) {
    QString number = QString::number(day, 'f', 15);
    number.replace('.', QLocale::system().decimalPoint());
    return QCoreApplication::translate("CalendarPanel", "Encoded date: %1").arg(number);
}

// The panel's controls and the handlers that keep its texts in step with the calendar. Owned by
// the panel; it watches the panel to prepare the calendar each time the panel opens.
class CalendarContent final : public QObject {
public:
    CalendarContent(CalendarSources sources, SidePanel& panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DateTime today() const { return static_cast<DateTime>(dateOf(m_sources.now())); }
    void open();
    void showDay(DateTime day);
    void findName();
    DateTime nameDay(const QString& name) const;
    ShadowLabel* addLabel(int top);

    CalendarSources m_sources;
    SidePanel& m_panel;
    MonthCalendar* m_calendar = nullptr;
    ShadowLabel* m_saint = nullptr;
    ShadowLabel* m_dayOfYear = nullptr;
    MoonView* m_moon = nullptr;
    QLineEdit* m_name = nullptr;
};

CalendarContent::CalendarContent(CalendarSources sources, SidePanel& panel)
    : QObject(&panel), m_sources(std::move(sources)), m_panel(panel) {
    m_calendar = new MonthCalendar(m_sources.now, &panel);
    m_calendar->setObjectName("calendar");
    m_calendar->setGeometry(8, 32, 261, 149);
    m_calendar->setCursor(Qt::PointingHandCursor);
    connect(m_calendar, &MonthCalendar::finishClicked, this, [this](double day) { showDay(day); });

    m_saint = addLabel(190);
    m_saint->setObjectName("saintLabel");
    m_dayOfYear = addLabel(210);
    m_dayOfYear->setObjectName("dayOfYearLabel");

    auto* frame = new QFrame(&panel);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(196, 186, 73, 67);
    auto* square = new QWidget(frame);
    square->setGeometry(frame->contentsRect());
    square->setAutoFillBackground(true);
    QPalette black = square->palette();
    black.setColor(QPalette::Window, style::kBlack);
    square->setPalette(black);
    m_moon = new MoonView(today(), square);
    m_moon->setObjectName("moon");
    m_moon->move(3, 1);
    m_moon->setToolTip(QCoreApplication::translate("CalendarPanel", "Moon phase"));

    m_name = new QLineEdit(&panel);
    m_name->setObjectName("nameField");
    m_name->setGeometry(10, 232, 175, m_name->sizeHint().height());
    m_name->setToolTip(QCoreApplication::translate("CalendarPanel", "Type saintname"));
    auto* find = new QToolButton(m_name);
    find->setObjectName("findButton");
    find->setText(QString(QChar(0x2026)));
    find->setToolTip(QCoreApplication::translate("CalendarPanel", "Press to find date"));
    find->setCursor(Qt::ArrowCursor);
    find->setFocusPolicy(Qt::NoFocus);
    const int inner = m_name->height() - 4;
    find->setGeometry(m_name->width() - kButtonWidth - 2, 2, kButtonWidth, inner);
    m_name->setTextMargins(0, 0, kButtonWidth, 0);
    connect(find, &QToolButton::clicked, this, [this] { findName(); });
    connect(m_name, &QLineEdit::returnPressed, this, [this] { findName(); });
    auto* altDown = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), m_name);
    altDown->setContext(Qt::WidgetShortcut);
    connect(altDown, &QShortcut::activated, this, [this] { findName(); });

    panel.installEventFilter(this);
}

ShadowLabel* CalendarContent::addLabel(int top) {
    auto* label = new ShadowLabel(QString(), style::kYellow, style::kBlack, &m_panel);
    label->setFont(style::uiFont(kLabelFontSize, false));
    // Wide enough for the longest name, short of the moon's frame.
    label->setGeometry(14, top, 180, label->sizeHint().height());
    return label;
}

bool CalendarContent::eventFilter(QObject* watched, QEvent* event) {
    // Sent when the bar shows the panel itself, not when the bar's window is shown again.
    if (watched == &m_panel && event->type() == QEvent::ShowToParent) {
        open();
    }
    return QObject::eventFilter(watched, event);
}

void CalendarContent::open() {
    // Every opening selects today and shows its month, wherever the user left the display.
    const DateTime day = today();
    m_calendar->setFinishDate(day);
    m_panel.titleLabel()->setToolTip(encodedDateHint(day));
    m_calendar->setStartDate(m_calendar->finishDate());
    m_calendar->goToDate(m_calendar->finishDate());
    showDay(m_calendar->finishDate());
}

void CalendarContent::showDay(DateTime day) {
    QString saint;
    try {
        saint = QString::fromStdString(cp1250ToUtf8(saintOfDate(m_sources.saints(), day)));
    } catch (const Error&) {
        // A table cut short has no entry for the day: the label shows none.
    }
    m_saint->setText(QCoreApplication::translate("CalendarPanel", "Saint: %1").arg(saint));
    m_dayOfYear->setText(
        QCoreApplication::translate("CalendarPanel", "Day of year: %1").arg(dayOfYear(day)));
    m_moon->setDate(day);
    m_panel.titleLabel()->setToolTip(encodedDateHint(day));
}

DateTime CalendarContent::nameDay(const QString& name) const {
    const DateTime selected = m_calendar->finishDate();
    // A name no entry can hold is found nowhere.
    const std::optional<std::string> bytes = utf8ToCp1250Strict(name.toStdString());
    if (!bytes) {
        return selected;
    }
    const SaintTable& saints = m_sources.saints();
    // 29 February's name has no day in a common year: not found, rather than day 0.
    if (findSaintIndex(saints, *bytes) == kLeapDayIndex && !isLeapYear(decodeDate(selected).year)) {
        return selected;
    }
    return findSaintDate(saints, *bytes, selected);
}

void CalendarContent::findName() {
    if (m_name->text().isEmpty()) {
        return;
    }
    m_calendar->setFinishDate(nameDay(m_name->text()));
    m_calendar->setStartDate(m_calendar->finishDate());
    m_calendar->goToDate(m_calendar->finishDate());
    showDay(m_calendar->finishDate());
}

} // namespace

SidePanelDescription calendarSidePanel(CalendarSources sources) {
    SidePanelDescription panel;
    panel.word = "calendar";
    panel.menuText = QCoreApplication::translate("CalendarPanel", "Calendar");
    panel.title = QCoreApplication::translate("CalendarPanel", "Calendar");
    panel.height = 264;
    panel.firstTop = 41;
    panel.toggledByDoubleClickOn = {BarCell::Date};
    panel.buildContent = [sources = std::move(sources)](SidePanel& frame) {
        new CalendarContent(sources, frame);
    };
    return panel;
}

} // namespace veskor
