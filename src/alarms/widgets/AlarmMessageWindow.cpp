#include "alarms/widgets/AlarmMessageWindow.h"

#include "alarms/widgets/LedTicker.h"
#include "platform/Beep.h"
#include "ui/ButtonGlyphs.h"
#include "ui/SharpPixmap.h"
#include "ui/Style.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace veskor {

namespace {

constexpr QSize kClientSize(331, 101);
constexpr int kLedHeight = 58;

QFont sansSerif11() {
    QFont font;
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(11);
    return font;
}

// Black with gray unlit dots and lime text, in a single line border; the message moves left at
// 2 pixels per 30 ms.
LedStyle ledStyle() {
    return {.backColor = style::kBlack,
            .unlitColor = style::kGray,
            .litColor = style::kLime,
            .dotSize = 2,
            .dotSpace = 1,
            .textBorderWidth = 3,
            .autoSize = true,
            .singleBorder = true,
            .bevelOuter = Bevel::None,
            .scrollMode = ScrollMode::RightToLeft,
            .speed = 30,
            .moveStep = 2};
}

// An alarm clock ringing beside a small message window with its button, in the 16 colours.
QPixmap alarmClockPicture() {
    QPixmap picture = sharpPixmap(32, 32);
    QPainter p(&picture);
    // The message window behind the clock.
    p.fillRect(QRect(14, 4, 17, 15), style::kSilver);
    p.fillRect(QRect(14, 4, 17, 4), style::kNavy);
    p.setPen(style::kBlack);
    p.drawRect(QRect(14, 4, 16, 14));
    p.fillRect(QRect(19, 12, 8, 4), style::kSilver);
    p.setPen(style::kWhite);
    p.drawLine(19, 12, 26, 12);
    p.setPen(style::kGray);
    p.drawLine(19, 15, 26, 15);
    // Bells, legs, then the face over them.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(style::kBlack);
    p.setBrush(style::kYellow);
    p.drawPie(QRect(1, 7, 9, 9), 45 * 16, 180 * 16);
    p.drawPie(QRect(15, 7, 9, 9), -45 * 16, 180 * 16);
    p.drawLine(6, 27, 4, 30);
    p.drawLine(19, 27, 21, 30);
    p.setBrush(style::kMaroon);
    p.drawEllipse(QRect(3, 10, 19, 19));
    p.setBrush(style::kWhite);
    p.drawEllipse(QRect(5, 12, 15, 15));
    // Hands at five past seven.
    p.drawLine(12, 19, 9, 23);
    p.drawLine(12, 19, 14, 14);
    return picture;
}

} // namespace

AlarmMessageWindow::AlarmMessageWindow(IBeep& beep, IStripScroller* scroller, QWidget* parent)
    // Flags once, at creation: changing them later re-creates the native window.
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_beep(beep), m_led(new LedTicker(ledStyle(), scroller, this)),
      m_okButton(new QPushButton(tr("OK"), this)) {
    // Above everything, but the keyboard stays where the person is typing: a Return meant for
    // their editor must not dismiss an alarm they have not seen. (Qt then maps the window with
    // _NET_WM_USER_TIME 0, which window managers take as "do not focus".)
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(tr("Alarm Event"));
    setFixedSize(kClientSize);
    setFont(style::uiFont(11, false));
    QPalette gray = palette();
    gray.setColor(QPalette::Window, style::kGray);
    setPalette(gray);
    setAutoFillBackground(true);

    m_led->setObjectName(QStringLiteral("led"));
    m_led->setGeometry(0, 0, kClientSize.width(), kLedHeight);
    m_led->setFont(sansSerif11());
    m_led->setText(QStringLiteral("   "));
    m_led->setScrolling(true);
    fitLed();

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setGeometry(4, 64, 32, 32);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(alarmClockPicture());

    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setGeometry(254, 67, 75, 27);
    m_okButton->setFont(sansSerif11());
    m_okButton->setIcon(QIcon(okGlyph()));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    m_soundTimer.setObjectName(QStringLiteral("soundTimer"));
    m_soundTimer.setInterval(1000);
    connect(&m_soundTimer, &QTimer::timeout, this, [this] {
        m_beep.beep();
        m_beep.beep();
    });
}

void AlarmMessageWindow::showAlarm(const QString& message, bool sound, DateTime now) {
    const ClockTime time = decodeTime(now);
    setWindowTitle(tr("Alarm event - [%1:%2]")
                       .arg(time.hour, 2, 10, QLatin1Char('0'))
                       .arg(time.minute, 2, 10, QLatin1Char('0')));
    m_led->setText(message);
    fitLed();
    // A running timer keeps its rhythm: a later alarm with sound does not delay the next beep.
    if (!sound) {
        m_soundTimer.stop();
    } else if (!m_soundTimer.isActive()) {
        m_soundTimer.start();
    }
    if (isVisible()) {
        update();
        return;
    }
    const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
    if (screen != nullptr) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // Not modal: Qt's X11 layer asks the window manager to activate a modal window as it maps
    // it, which would take the keyboard after all.
    show();
}

void AlarmMessageWindow::done(int result) {
    m_soundTimer.stop();
    QDialog::done(result);
}

// The display keeps the height its text sizes it to, but is always as wide as the window.
void AlarmMessageWindow::fitLed() {
    m_led->resize(width(), m_led->height());
}

// Escape ends the alarm as OK does: there is nothing to cancel.
void AlarmMessageWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace veskor
