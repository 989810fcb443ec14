#pragma once
// The calculator field's typing rules over its text and selection, so that the decimal
// separator survives digits, Backspace and Delete typed over it.

#include <QString>

namespace veskor {

enum class CalcOperator { None, Add, Subtract, Multiply, Divide };

// The text with its selection; with no selection `start` is the caret.
struct EditState {
    QString text;
    int start = 0;
    int length = 0;

    [[nodiscard]] int end() const { return start + length; }
    bool operator==(const EditState&) const = default;
};

struct TypingRules {
    QChar decimal = '.';
    int decimals = 2;
    int maxLength = 13;
    // The field serves another popup than the keypad: "-" at the start is a sign, and the
    // operators have no role.
    bool signAllowed = false;
};

struct TypedKey {
    enum class Outcome { Accepted, Refused, OpenKeypad };
    Outcome outcome = Outcome::Refused;
    EditState state;                                  // the result; unchanged unless accepted
    CalcOperator keypadOperator = CalcOperator::None; // for OpenKeypad
};

// A character typed in the field.
TypedKey typeCharacter(const EditState& state, QChar typed, const TypingRules& rules);
// Backspace and Delete; a refused key returns the state unchanged or with the caret moved.
EditState pressBackspace(const EditState& state, QChar decimal);
EditState pressDelete(const EditState& state, QChar decimal);

} // namespace veskor
