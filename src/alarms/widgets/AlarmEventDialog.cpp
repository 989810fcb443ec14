#include "alarms/widgets/AlarmEventDialog.h"

#include "alarms/core/AlarmList.h"
#include "common/Cp1250.h"
#include "ui/ButtonGlyphs.h"
#include "ui/DialogBorder.h"
#include "ui/SharpPixmap.h"
#include "ui/Style.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QtMath>
#include <algorithm>
#include <limits>

namespace veskor {

namespace {

bool isFieldCharacter(QChar c) {
    return c.isDigit() || c == '+' || c == '-';
}

// An optional sign and decimal digits, of any length.
bool isWholeNumber(const QString& text) {
    static const QRegularExpression wholeNumber("^[+-]?[0-9]+$");
    return wholeNumber.match(text).hasMatch();
}

// The text's whole number brought into [low, high]; a text that is no whole number reads as 0.
int clampedValue(const QString& text, int low, int high) {
    if (!isWholeNumber(text)) {
        return std::clamp(0, low, high);
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok) { // past 64 bits, still a number of its sign
        return text.startsWith('-') ? low : high;
    }
    return static_cast<int>(std::clamp<qlonglong>(value, low, high));
}

// A whole-number field that lets any run of digits, "+" and "-" stand while it is typed and
// brings it into range only when the field is left; QSpinBox itself would refuse "99" in 0-23
// and a lone "-" as they are typed. A text that is no whole number ("12+") stays as typed, for
// OK to refuse, rather than turning into 0.
class NumberField final : public QSpinBox {
public:
    NumberField(int maximum, QWidget* parent) : QSpinBox(parent) {
        setRange(0, maximum);
        setAlignment(Qt::AlignRight);
        setCorrectionMode(CorrectToNearestValue);
    }

protected:
    QValidator::State validate(QString& input, int& /*pos*/) const override {
        if (!std::all_of(input.cbegin(), input.cend(), isFieldCharacter)) {
            return QValidator::Invalid;
        }
        bool ok = false;
        const int value = input.toInt(&ok);
        return ok && value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                              : QValidator::Intermediate;
    }
    void fixup(QString& input) const override { input = textFromValue(valueFromText(input)); }
    int valueFromText(const QString& text) const override {
        return clampedValue(text, minimum(), maximum());
    }
    QString textFromValue(int value) const override { return QString::number(value); }

    void focusOutEvent(QFocusEvent* event) override {
        if (!isWholeNumber(text())) {
            // Not the spin box's, which would read it as 0.
            QWidget::focusOutEvent(event); // NOLINT(bugprone-parent-virtual-call)
            return;
        }
        QSpinBox::focusOutEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            !isWholeNumber(text())) {
            event->ignore(); // on to the dialog's OK, which says what is wrong
            return;
        }
        const QString typed = event->text();
        const bool shortcut = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
        if (!shortcut && !typed.isEmpty() && typed.front().isPrint() &&
            !std::all_of(typed.cbegin(), typed.cend(), isFieldCharacter)) {
            QApplication::beep();
            event->accept();
            return;
        }
        QSpinBox::keyPressEvent(event);
    }
};

// A clock face showing ten past ten.
QPixmap clockPicture() {
    QPixmap pixmap = sharpPixmap(32, 32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(16, 16);
    painter.setPen(QPen(style::kNavy, 2));
    painter.setBrush(style::kWhite);
    painter.drawEllipse(QPointF(0, 0), 14, 14);
    painter.setPen(QPen(style::kBlack, 1));
    for (int hour = 0; hour < 12; ++hour) {
        const qreal angle = qDegreesToRadians(30.0 * hour);
        const qreal inner = hour % 3 == 0 ? 9.5 : 11.0;
        painter.drawLine(QPointF(inner * qSin(angle), -inner * qCos(angle)),
                         QPointF(12.5 * qSin(angle), -12.5 * qCos(angle)));
    }
    painter.setPen(QPen(style::kBlack, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, 0), QPointF(-5.2, -3.0)); // hour hand at ten
    painter.drawLine(QPointF(0, 0), QPointF(7.8, -4.5));  // minute hand at two
    painter.setPen(QPen(style::kMaroon, 1));
    painter.drawLine(QPointF(0, 2), QPointF(0, -10));
    return pixmap;
}

QLabel* labelAt(const QString& text, QPoint at, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    return label;
}

QPushButton* buttonAt(const QString& text, const QPixmap& glyph, QRect at, QWidget* parent) {
    auto* button = new QPushButton(QIcon(glyph), text, parent);
    button->setGeometry(at);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

AlarmEventDialog::AlarmEventDialog(std::function<void(const QString&)> error, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      m_error(std::move(error)) {
    new DialogBorder(this);
    setWindowTitle(tr("Alarm Event"));
    setFont(style::uiFont(11, false));
    setFixedSize(326, 168);

    auto* properties = new QGroupBox(tr(" Properties "), this);
    properties->setGeometry(10, 10, 309, 121);

    auto* picture = new QLabel(properties);
    picture->setGeometry(10, 20, 32, 32);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(clockPicture());

    labelAt(tr("Time"), {54, 24}, properties);
    m_hourField = new NumberField(23, properties);
    m_hourField->setObjectName("hourField");
    m_hourField->setGeometry(108, 20, 45, 21);
    labelAt(" : ", {154, 24}, properties)->setFont(style::uiFont(11, true));
    m_minuteField = new NumberField(59, properties);
    m_minuteField->setObjectName("minuteField");
    m_minuteField->setGeometry(168, 20, 45, 21);

    labelAt(tr("Message"), {54, 52}, properties);
    m_messageEdit = new QLineEdit(properties);
    m_messageEdit->setObjectName("messageEdit");
    m_messageEdit->setGeometry(108, 48, 189, 21);
    m_messageEdit->setMaxLength(std::numeric_limits<int>::max());

    m_activeBox = new QCheckBox(tr("Active"), properties);
    m_activeBox->setObjectName("activeBox");
    m_activeBox->setGeometry(12, 80, 97, 17);
    m_activeBox->setCursor(Qt::PointingHandCursor);
    m_soundBox = new QCheckBox(tr("Sound"), properties);
    m_soundBox->setObjectName("soundBox");
    m_soundBox->setGeometry(12, 98, 97, 17);
    m_soundBox->setCursor(Qt::PointingHandCursor);

    QPushButton* cancel = buttonAt(tr("Cancel"), cancelGlyph(), {169, 138, 75, 25}, this);
    QPushButton* ok = buttonAt(tr("OK"), okGlyph(), {244, 138, 75, 25}, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_hourField, m_minuteField);
    setTabOrder(m_minuteField, m_messageEdit);
    setTabOrder(m_messageEdit, m_activeBox);
    setTabOrder(m_activeBox, m_soundBox);
    setTabOrder(m_soundBox, ok);
    setTabOrder(ok, cancel);
}

void AlarmEventDialog::fill(int hour, int minute, const QString& message, bool active, bool sound) {
    m_hourField->setValue(hour);
    m_minuteField->setValue(minute);
    m_messageEdit->setText(message);
    m_activeBox->setChecked(active);
    m_soundBox->setChecked(sound);
}

int AlarmEventDialog::hour() const {
    return m_hourField->value();
}

int AlarmEventDialog::minute() const {
    return m_minuteField->value();
}

QString AlarmEventDialog::message() const {
    return m_messageEdit->text();
}

bool AlarmEventDialog::isActive() const {
    return m_activeBox->isChecked();
}

bool AlarmEventDialog::hasSound() const {
    return m_soundBox->isChecked();
}

QString AlarmEventDialog::refusal() const {
    for (const QSpinBox* field : {m_hourField, m_minuteField}) {
        if (!isWholeNumber(field->text())) {
            return tr("'%1' is not a valid integer value").arg(field->text());
        }
    }
    const QString text = message();
    for (qsizetype i = 0; i < text.size();) {
        // One character, a surrogate pair included.
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!utf8ToCp1250Strict(character.toStdString())) {
            return tr("The message cannot hold '%1': %2 keeps its texts in "
                      "Windows-1250, which has no such character.")
                .arg(character, QString::fromLatin1(kAlarmFileName));
        }
        i += length;
    }
    return {};
}

void AlarmEventDialog::done(int result) {
    if (result == Accepted) {
        if (const QString why = refusal(); !why.isEmpty()) {
            m_error(why);
            return;
        }
    }
    // Enter confirms without leaving the field being typed in: take its text as leaving would.
    m_hourField->interpretText();
    m_minuteField->interpretText();
    QDialog::done(result);
}

void AlarmEventDialog::showEvent(QShowEvent* event) {
    if (!m_placed) { // centred on the screen once; later showings keep where the user put it
        const QScreen* screen =
            parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
        move(screen->availableGeometry().center() - rect().center());
        m_placed = true;
    }
    QDialog::showEvent(event);
    m_hourField->setFocus();
    m_hourField->selectAll();
}

} // namespace veskor
