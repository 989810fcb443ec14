#include "calc/widgets/CalcPopup.h"

#include "ui/Style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <qdrawutil.h>

namespace veskor {

namespace {

struct KeyPlace {
    KeypadKey key;
    const char* caption; // the separator's comes from the locale
    int left;
    int top;
    int width;
    int height;
};

constexpr int kKey = 17;
constexpr int kMemoryKeyWidth = 25;

constexpr std::array<KeyPlace, 23> kKeys{{
    {KeypadKey(1), "1", 4, 4, kKey, kKey},
    {KeypadKey(2), "2", 20, 4, kKey, kKey},
    {KeypadKey(3), "3", 36, 4, kKey, kKey},
    {KeypadKey::Add, "+", 52, 4, kKey, kKey},
    {KeypadKey::Clear, "C", 68, 4, kKey, kKey},
    {KeypadKey::MemoryAdd, "M+", 92, 4, kMemoryKeyWidth, kKey},
    {KeypadKey(4), "4", 4, 20, kKey, kKey},
    {KeypadKey(5), "5", 20, 20, kKey, kKey},
    {KeypadKey(6), "6", 36, 20, kKey, kKey},
    {KeypadKey::Subtract, "-", 52, 20, kKey, kKey},
    {KeypadKey::ClearAll, "CA", 68, 20, kKey, kKey},
    {KeypadKey::MemorySubtract, "M-", 92, 20, kMemoryKeyWidth, kKey},
    {KeypadKey(7), "7", 4, 36, kKey, kKey},
    {KeypadKey(8), "8", 20, 36, kKey, kKey},
    {KeypadKey(9), "9", 36, 36, kKey, kKey},
    {KeypadKey::Multiply, "x", 52, 36, kKey, kKey},
    {KeypadKey::Equals, "=", 68, 36, kKey, 2 * kKey - 1},
    {KeypadKey::MemoryRecall, "MR", 92, 36, kMemoryKeyWidth, kKey},
    {KeypadKey(0), "0", 4, 52, kKey, kKey},
    {KeypadKey::DoubleZero, "00", 20, 52, kKey, kKey},
    {KeypadKey::Separator, "", 36, 52, kKey, kKey},
    {KeypadKey::Divide, "/", 52, 52, kKey, kKey},
    {KeypadKey::MemoryClear, "MC", 92, 52, kMemoryKeyWidth, kKey},
}};

QFont keyFont() {
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(11);
    return font;
}

} // namespace

CalcPopup::CalcPopup(CalcField& field, CalcOperator first, QWidget* parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_keypad(field, first), m_decimal(field.separators().decimal) {
    // A click outside only closes the keypad; it does not reach what lies under it.
    setAttribute(Qt::WA_NoMouseReplay);
    setFixedSize(kWidth, kHeight);
    QPalette keys = palette();
    keys.setColor(QPalette::ButtonText, style::kBlack);
    keys.setColor(QPalette::WindowText, style::kBlack);
    const QFont font = keyFont();
    for (const KeyPlace& place : kKeys) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromLatin1(place.caption));
        button->setFont(font);
        button->setPalette(keys);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(place.left, place.top, place.width, place.height);
        const KeypadKey key = place.key;
        connect(button, &QToolButton::clicked, this, [this, key] {
            m_keypad.press(key);
            closeWhenDone();
        });
        m_keys.at(static_cast<std::size_t>(key)) = button;
    }
}

QAbstractButton* CalcPopup::key(KeypadKey key) const {
    return m_keys.at(static_cast<std::size_t>(key));
}

void CalcPopup::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    m_keys.at(static_cast<std::size_t>(KeypadKey::Separator))->setText(QString(m_decimal));
    m_keypad.show();
}

void CalcPopup::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        m_keypad.close();
    }
    QFrame::closeEvent(event);
}

void CalcPopup::keyPressEvent(QKeyEvent* event) {
    QChar typed;
    switch (event->key()) {
    case Qt::Key_Backspace:
        typed = '\b';
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        typed = '\r';
        break;
    case Qt::Key_Escape:
        typed = QChar(0x1b);
        break;
    default:
        if (event->text().size() == 1) {
            typed = event->text().front();
        }
        break;
    }
    if (!typed.isNull()) {
        m_keypad.pressCharacter(typed);
    }
    closeWhenDone();
}

void CalcPopup::mousePressEvent(QMouseEvent* event) {
    // Presses on the keys reach the keys; this sees the rest, outside the keypad too.
    if (event->button() == Qt::LeftButton && !rect().contains(event->position().toPoint())) {
        m_keypad.commitOutside();
        closeWhenDone();
    }
}

void CalcPopup::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), style::kSilver);
    QPalette bevel = palette();
    bevel.setColor(QPalette::Light, style::kWhite);
    bevel.setColor(QPalette::Dark, style::kGray);
    qDrawShadePanel(&p, rect(), bevel, false, 1);
}

void CalcPopup::closeWhenDone() {
    if (m_keypad.result() != Keypad::Result::Running) {
        close();
    }
}

} // namespace veskor
