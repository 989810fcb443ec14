#include "calc/core/Keypad.h"

#include <cmath>

namespace veskor {

Keypad::Keypad(CalcField& field, CalcOperator firstOperator)
    : m_field(field), m_firstOperator(firstOperator), m_savedFormat(field.displayFormat) {
    m_field.displayFormat = DisplayFormat::Number;
    m_field.setKeypadRunning(true);
}

void Keypad::show() {
    m_savedDecimals = m_field.decimals();
    m_entry = m_field.value();
    m_startValue = m_entry;
    switch (m_firstOperator) {
    case CalcOperator::Add:
        press(KeypadKey::Add);
        break;
    case CalcOperator::Subtract:
        press(KeypadKey::Subtract);
        break;
    case CalcOperator::Multiply:
        press(KeypadKey::Multiply);
        break;
    case CalcOperator::Divide:
        press(KeypadKey::Divide);
        break;
    case CalcOperator::None:
        m_field.refreshText();
        break;
    }
}

int Keypad::maxIntegerDigits() const {
    return m_savedDecimals > 0 ? m_field.maxLength() - (m_savedDecimals + 1) : m_field.maxLength();
}

void Keypad::appendDigit(QChar digit) {
    if (m_inFraction) {
        if (m_fracDigits.size() < m_savedDecimals) {
            m_fracDigits += digit;
        }
    } else if (m_intDigits.size() < maxIntegerDigits()) {
        m_intDigits += digit;
    }
}

void Keypad::updateEntry() {
    const NumberSeparators& separators = m_field.separators();
    m_entry = parseNumber(m_intDigits + separators.decimal + m_fracDigits, separators).value_or(0);
    // Setting the decimals refreshes the text, also when the value stays: "12." becomes "12".
    m_field.setDecimals(static_cast<int>(m_fracDigits.size()));
    m_field.setValue(m_entry);
    if (m_inFraction && m_fracDigits.isEmpty()) {
        m_field.appendToText(QString(separators.decimal));
    }
}

void Keypad::applyPending() {
    if (m_entryDone) {
        return;
    }
    double result = m_entry;
    switch (m_pending) {
    case CalcOperator::Add:
        result = m_accumulator + m_entry;
        break;
    case CalcOperator::Subtract:
        result = m_accumulator - m_entry;
        break;
    case CalcOperator::Multiply:
        result = m_accumulator * m_entry;
        break;
    case CalcOperator::Divide:
        result = m_entry == 0 ? 0 : m_accumulator / m_entry;
        break;
    case CalcOperator::None:
        break;
    }
    // Overflow gives 0 as division by zero does, without a word.
    m_accumulator = std::isfinite(result) ? result : 0;
    m_field.setDecimals(m_savedDecimals);
    m_field.setValue(m_accumulator);
    m_entry = 0;
    m_intDigits.clear();
    m_fracDigits.clear();
    m_inFraction = false;
    m_entryDone = true;
}

void Keypad::press(KeypadKey key) {
    if (m_result != Result::Running) {
        return;
    }
    const int tag = static_cast<int>(key);
    if (tag >= 0 && tag <= 9) {
        appendDigit(QChar('0' + tag));
        m_entryDone = false;
        updateEntry();
        return;
    }
    const auto applyThen = [this](CalcOperator op) {
        applyPending();
        m_pending = op;
    };
    switch (key) {
    case KeypadKey::DoubleZero:
        appendDigit('0');
        appendDigit('0');
        m_entryDone = false;
        updateEntry();
        break;
    case KeypadKey::Separator:
        m_inFraction = m_savedDecimals > 0;
        if (m_inFraction) {
            if (m_intDigits.isEmpty()) {
                m_intDigits = "0";
            }
            m_entryDone = false;
            updateEntry();
        }
        break;
    case KeypadKey::Divide:
        applyThen(CalcOperator::Divide);
        break;
    case KeypadKey::Multiply:
        applyThen(CalcOperator::Multiply);
        break;
    case KeypadKey::Subtract:
        applyThen(CalcOperator::Subtract);
        break;
    case KeypadKey::Add:
        applyThen(CalcOperator::Add);
        break;
    case KeypadKey::Clear:
        m_entryDone = false;
        m_pending = CalcOperator::None;
        m_entry = m_accumulator;
        applyPending();
        break;
    case KeypadKey::ClearAll:
        m_entryDone = false;
        m_entry = 0;
        m_pending = CalcOperator::None;
        applyPending();
        break;
    case KeypadKey::Equals:
        applyPending();
        m_result = Result::Ok;
        break;
    case KeypadKey::MemoryAdd:
    case KeypadKey::MemorySubtract:
        m_entryDone = false;
        applyPending();
        m_pending = CalcOperator::None;
        m_memory += key == KeypadKey::MemoryAdd ? m_accumulator : -m_accumulator;
        break;
    case KeypadKey::MemoryRecall: {
        const NumberSeparators& separators = m_field.separators();
        const QString text = formatFixed(m_memory, m_savedDecimals, separators);
        const qsizetype point = text.indexOf(separators.decimal);
        m_inFraction = point >= 0;
        m_intDigits = m_inFraction ? text.left(point) : text;
        m_fracDigits = m_inFraction ? text.mid(point + 1) : QString();
        m_entryDone = false;
        updateEntry();
        break;
    }
    case KeypadKey::MemoryClear:
        m_memory = 0;
        break;
    default:
        break;
    }
}

void Keypad::backspace() {
    if (m_result != Result::Running) {
        return;
    }
    if (!m_fracDigits.isEmpty()) {
        m_fracDigits.chop(1);
    } else if (m_inFraction) {
        m_inFraction = false;
    } else {
        m_intDigits.chop(1);
    }
    if (m_intDigits.isEmpty()) {
        m_entryDone = true;
    }
    updateEntry();
}

bool Keypad::pressCharacter(QChar typed) {
    if (typed.isDigit() && typed.unicode() < 128) {
        press(digitKey(typed.digitValue()));
        return true;
    }
    if (typed == m_field.separators().decimal) {
        press(KeypadKey::Separator);
        return true;
    }
    switch (typed.toUpper().unicode()) {
    case '\b':
        backspace();
        return true;
    case '\r':
    case '\n':
    case '=':
        press(KeypadKey::Equals);
        return true;
    case 0x1b:
        if (m_result == Result::Running) {
            m_result = Result::Cancel;
        }
        return true;
    case '*':
        press(KeypadKey::Multiply);
        return true;
    case '+':
        press(KeypadKey::Add);
        return true;
    case '-':
        press(KeypadKey::Subtract);
        return true;
    case '/':
        press(KeypadKey::Divide);
        return true;
    case 'A':
        press(KeypadKey::ClearAll);
        return true;
    case 'C':
        press(KeypadKey::Clear);
        return true;
    default:
        return false;
    }
}

void Keypad::commitOutside() {
    if (m_result != Result::Running) {
        return;
    }
    applyPending();
    m_result = Result::Ok;
}

void Keypad::close() {
    m_field.setDecimals(m_savedDecimals);
    if (m_result == Result::Ok) {
        m_field.setValue(m_accumulator);
        if (m_field.changed) {
            m_field.changed();
        }
    } else {
        m_field.setValue(m_startValue);
    }
    m_field.refreshEditingText();
    m_field.setKeypadRunning(false);
    m_field.displayFormat = m_savedFormat;
}

} // namespace veskor
