#include "calc/core/CalcField.h"

#include <QCoreApplication>
#include <array>

namespace veskor {

RangeError::RangeError()
    : std::runtime_error(
          QCoreApplication::translate("CalcField", "Value out of range").toStdString()) {}

CalcField::CalcField(NumberSeparators separators) : m_separators(std::move(separators)) {
    m_text = formattedText(false);
}

void CalcField::setValue(double value) {
    if (value == m_value) {
        return;
    }
    const bool idle = !m_focused && !m_keypadRunning;
    double rounded = roundToDecimals(value, m_decimals);
    if (idle) {
        rounded = checkRange(rounded);
    }
    const bool differs = rounded != m_value;
    store(rounded);
    if (idle && differs && doneValue) {
        doneValue();
    }
}

void CalcField::setDecimals(int decimals) {
    m_decimals = std::max(decimals, 0);
    refreshText();
}

void CalcField::setMinimum(double minimum) {
    if (minimum > m_max) {
        return;
    }
    m_min = minimum;
    store(checkRange(m_value));
}

void CalcField::setMaximum(double maximum) {
    if (maximum < m_min) {
        return;
    }
    m_max = maximum;
    store(checkRange(m_value));
}

double CalcField::checkRange(double value) const {
    if (m_min == 0 && m_max == 0) {
        return value;
    }
    if (value >= m_min && value <= m_max) {
        return value;
    }
    const double bound = value < m_min ? m_min : m_max;
    switch (rangeHandler) {
    case RangeHandler::Adjust:
        break;
    case RangeHandler::Exception:
        throw RangeError();
    case RangeHandler::Dialog:
        if (!rangeMessage.isEmpty() && showRangeMessage) {
            const std::array<double, 4> arguments{m_min, m_max, value, bound};
            showRangeMessage(formatFloatPattern(rangeMessage, arguments, m_separators));
        }
        break;
    case RangeHandler::Event: {
        double adjusted = bound;
        if (rangeError) {
            rangeError(adjusted, m_min, m_max, value);
        }
        return adjusted;
    }
    }
    return bound;
}

QString CalcField::formattedText(bool focused) const {
    if (focused) {
        return formatFixed(m_value, m_decimals, m_separators);
    }
    if (displayFormat == DisplayFormat::Custom) {
        const std::array<double, 1> arguments{m_value};
        return formatFloatPattern(displayFormatMask, arguments, m_separators);
    }
    return formatGrouped(m_value, m_decimals, m_separators);
}

void CalcField::refreshText() {
    m_text = formattedText(m_focused);
    if (textChanged) {
        textChanged();
    }
}

void CalcField::refreshEditingText() {
    m_text = formattedText(true);
    if (textChanged) {
        textChanged();
    }
}

void CalcField::appendToText(const QString& tail) {
    m_text += tail;
    if (textChanged) {
        textChanged();
    }
}

void CalcField::enter() {
    m_focused = true;
    m_editing = true;
    refreshText();
}

void CalcField::leave(bool focusGone) {
    if (m_editing) {
        commitText();
    }
    if (focusGone) {
        m_editing = false;
        m_focused = false;
    }
    refreshText();
}

void CalcField::commitText() {
    const double checked = checkRange(readFieldText(m_text, m_separators).value_or(0));
    m_value = roundToDecimals(checked, m_decimals);
    if (changed) {
        changed();
    }
}

void CalcField::readTextForKeypad() {
    setValue(readFieldText(m_text, m_separators).value_or(0));
}

void CalcField::store(double rounded) {
    m_value = rounded;
    refreshText();
}

} // namespace veskor
