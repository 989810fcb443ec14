#include "calc/widgets/CalcEdit.h"

#include "calc/core/KeypadPlacement.h"
#include "calc/widgets/CalcPopup.h"
#include "ui/Messages.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QValidator>

namespace veskor {

namespace {

// The longest text the person may type, for the edits the field's own key handling does not
// make (pasting, input methods). QLineEdit's own limit would also cut what the program shows.
// An edit that does not lengthen a text already past the limit stays allowed, so that a long
// result can still be corrected.
class TypedLengthValidator final : public QValidator {
public:
    explicit TypedLengthValidator(const CalcField& field, QObject* parent)
        : QValidator(parent), m_field(field) {}

    State validate(QString& input, int& /*position*/) const override {
        // The field's text is still the one before the edit.
        const bool tooLong =
            input.size() > m_field.maxLength() && input.size() > m_field.text().size();
        return tooLong ? Invalid : Acceptable;
    }

private:
    const CalcField& m_field;
};

} // namespace

CalcEdit::CalcEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new TypedLengthValidator(m_field, this));
    m_button = new QToolButton(this);
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->installEventFilter(this);
    connect(m_button, &QToolButton::clicked, this,
            [this] { openKeypad(CalcOperator::None, true); });
    setTextMargins(0, 0, kButtonWidth + kTextGap, 0);

    m_field.textChanged = [this] { showFieldText(); };
    m_field.changed = [this] { emit changed(); };
    m_field.doneValue = [this] { emit doneValue(); };
    m_field.showRangeMessage = [this](const QString& text) { showErrorDialog(this, text); };
    // Edits the key handling below does not make (pasting, input methods) reach the value too.
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_field.setEditText(text); });
    showFieldText();
    updateAlignment();
}

CalcEdit::~CalcEdit() {
    if (m_popup != nullptr) {
        m_popup->disconnect(this);
        delete m_popup;
        QGuiApplication::restoreOverrideCursor();
    }
}

double CalcEdit::value() {
    if (m_field.isFocused() && m_popup == nullptr) {
        try {
            m_field.leave(false);
        } catch (const RangeError&) {
            // The value stays the stored one; leaving the field reports the error.
        }
    }
    return m_field.value();
}

void CalcEdit::setValue(double value) {
    m_field.setValue(value);
}

void CalcEdit::setDecimals(int decimals) {
    m_field.setDecimals(decimals);
}

void CalcEdit::setMaxLength(int length) {
    m_field.setMaxLength(length);
}

void CalcEdit::setCalcAlignment(Alignment alignment) {
    m_alignment = alignment;
    updateAlignment();
}

void CalcEdit::setDisplayFormat(DisplayFormat format, const QString& mask) {
    m_field.displayFormat = format;
    m_field.displayFormatMask = mask;
    m_field.refreshText();
}

void CalcEdit::setRangeHandler(RangeHandler handler, const QString& message) {
    m_field.rangeHandler = handler;
    m_field.rangeMessage = message;
}

void CalcEdit::setRangeErrorHandler(
    std::function<void(double& newValue, double minimum, double maximum, double value)> handler) {
    m_field.rangeError = std::move(handler);
}

void CalcEdit::setPopupFactory(std::function<QWidget*(CalcEdit& field)> factory) {
    m_popupFactory = std::move(factory);
}

bool CalcEdit::buttonEnabled() const {
    return isEnabled() && !isReadOnly();
}

EditState CalcEdit::editState() const {
    if (hasSelectedText()) {
        return {text(), selectionStart(), static_cast<int>(selectedText().size())};
    }
    return {text(), cursorPosition(), 0};
}

void CalcEdit::applyEdit(const EditState& state) {
    if (state.text != text()) {
        setText(state.text);
        m_field.setEditText(state.text);
    }
    if (state.length > 0) {
        setSelection(state.start, state.length);
    } else {
        setCursorPosition(state.start);
    }
}

void CalcEdit::showFieldText() {
    if (text() != m_field.text()) {
        setText(m_field.text());
    }
}

void CalcEdit::updateAlignment() {
    const bool right = m_alignment == Alignment::Right ||
                       (m_alignment == Alignment::Mixed && !m_field.isFocused());
    setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void CalcEdit::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
        Qt::NoModifier;
    if (event->key() == Qt::Key_Down && plain) {
        if (buttonEnabled()) {
            openKeypad(CalcOperator::None, true);
        }
        return;
    }
    if (!buttonEnabled()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar decimal = m_field.separators().decimal;
    if (event->key() == Qt::Key_Backspace && plain) {
        applyEdit(pressBackspace(editState(), decimal));
        return;
    }
    if (event->key() == Qt::Key_Delete && plain) {
        applyEdit(pressDelete(editState(), decimal));
        return;
    }
    const QString typed = event->text();
    if (typed.size() != 1 || !typed.front().isPrint() || !plain) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const TypingRules rules{decimal, m_field.decimals(), m_field.maxLength(),
                            static_cast<bool>(m_popupFactory)};
    const TypedKey key = typeCharacter(editState(), typed.front(), rules);
    switch (key.outcome) {
    case TypedKey::Outcome::Accepted:
        applyEdit(key.state);
        break;
    case TypedKey::Outcome::OpenKeypad:
        openKeypad(key.keypadOperator, false);
        break;
    case TypedKey::Outcome::Refused:
        break;
    }
}

void CalcEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (m_field.isFocused()) {
        return; // back from the keypad or another window: the field never left
    }
    m_field.enter();
    updateAlignment();
    if (m_autoSelect) {
        selectAll();
    }
}

void CalcEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A popup or another window taking the keyboard is not the focus moving on in the bar.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason ||
        !m_field.isFocused()) {
        return;
    }
    try {
        m_field.leave(true);
    } catch (const RangeError& error) {
        // Reported once the focus change is over, as the application reports errors.
        const QString text = QString::fromUtf8(error.what());
        QTimer::singleShot(0, this, [this, text] { showErrorMessage(window(), text); });
        return;
    }
    updateAlignment();
}

void CalcEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    m_button->setGeometry(width() - kButtonWidth, 0, kButtonWidth, height());
}

void CalcEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::EnabledChange) {
        m_button->setEnabled(buttonEnabled());
    }
}

bool CalcEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_button && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        emit buttonRightClicked();
    }
    return QLineEdit::eventFilter(watched, event);
}

QSize CalcEdit::minimumSizeHint() const {
    // Four border widths, the font's height and a quarter of the smaller of it and the
    // system font's height, and 2.
    const int own = fontMetrics().height();
    const int system = QFontMetrics(QApplication::font()).height();
    return {QLineEdit::minimumSizeHint().width(), 4 + own + std::min(own, system) / 4 + 2};
}

void CalcEdit::openKeypad(CalcOperator first, bool byButton) {
    if (m_popup != nullptr) {
        return;
    }
    if (!hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
    m_field.readTextForKeypad();
    QWidget* popup = nullptr;
    if (m_popupFactory) {
        m_factoryFormat = m_field.displayFormat;
        m_field.displayFormat = DisplayFormat::Number;
        m_field.setKeypadRunning(true);
        popup = m_popupFactory(*this);
    } else {
        popup = new CalcPopup(m_field, first, this);
    }
    if (popup == nullptr) {
        m_field.setKeypadRunning(false);
        m_field.displayFormat = m_factoryFormat;
        return;
    }
    m_popup = popup;
    popup->setAttribute(Qt::WA_DeleteOnClose);
    connect(popup, &QObject::destroyed, this, &CalcEdit::popupGone);
    const QRect field(mapToGlobal(QPoint(0, 0)), size());
    popup->move(keypadPosition(field, popup->size(), screen()->geometry(),
                               byButton && m_popupEdge == PopupEdge::Right));
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    popup->show();
}

void CalcEdit::popupGone() {
    if (m_popupFactory) {
        m_field.setKeypadRunning(false);
        m_field.displayFormat = m_factoryFormat;
    }
    QGuiApplication::restoreOverrideCursor();
    showFieldText();
}

} // namespace veskor
