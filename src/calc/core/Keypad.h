#pragma once
// The popup keypad's arithmetic: a chain computed left to right without precedence, a one-value
// memory, and the field it writes its entry and result into.

#include "calc/core/CalcField.h"
#include "calc/core/FieldEditing.h"

#include <QString>

namespace veskor {

// The keys by the number each carries; 0 to 9 are the digits.
enum class KeypadKey {
    Digit0 = 0,
    Digit9 = 9,
    DoubleZero = 10,
    Separator = 11,
    Divide = 12,
    Multiply = 13,
    Subtract = 14,
    Add = 15,
    Clear = 16,
    ClearAll = 17,
    Equals = 18,
    MemoryAdd = 19,
    MemorySubtract = 20,
    MemoryRecall = 21,
    MemoryClear = 22,
};

constexpr KeypadKey digitKey(int digit) {
    return static_cast<KeypadKey>(digit);
}

class Keypad final {
public:
    enum class Result { Running, Ok, Cancel };

    // The field shows the number format while the keypad runs. close() must follow.
    Keypad(CalcField& field, CalcOperator firstOperator);

    // The keypad appears: it starts from the field's value, and presses the first operator.
    void show();
    void press(KeypadKey key);
    // A typed character: digits, "+-*/=", "A" (CA), "C", the decimal separator, Enter ('\r'),
    // Escape ('\x1b') and Backspace ('\b'). False for the characters that do nothing.
    bool pressCharacter(QChar typed);
    void backspace();
    // A click outside the keypad: the pending operation is applied and the keypad closes.
    void commitOutside();
    // The keypad goes: the field gets the result when it closed with OK, else its old value.
    void close();

    [[nodiscard]] Result result() const { return m_result; }
    [[nodiscard]] double accumulator() const { return m_accumulator; }
    [[nodiscard]] double entry() const { return m_entry; }
    [[nodiscard]] double memory() const { return m_memory; }
    [[nodiscard]] CalcOperator pendingOperator() const { return m_pending; }
    [[nodiscard]] const QString& integerDigits() const { return m_intDigits; }
    [[nodiscard]] const QString& fractionDigits() const { return m_fracDigits; }
    [[nodiscard]] bool inFraction() const { return m_inFraction; }
    [[nodiscard]] bool entryDone() const { return m_entryDone; }

private:
    void appendDigit(QChar digit);
    void updateEntry();
    void applyPending();
    [[nodiscard]] int maxIntegerDigits() const;

    CalcField& m_field;
    CalcOperator m_firstOperator;
    DisplayFormat m_savedFormat;
    Result m_result = Result::Running;
    double m_accumulator = 0;
    double m_entry = 0;
    double m_memory = 0;
    CalcOperator m_pending = CalcOperator::None;
    QString m_intDigits;
    QString m_fracDigits;
    bool m_inFraction = false;
    bool m_entryDone = false;
    int m_savedDecimals = 0;
    double m_startValue = 0;
};

} // namespace veskor
