#pragma once
// The calculator field's value and text without a widget: rounding to its decimals, the range
// and its handlers, the editing and display formats, entering and leaving the field.

#include "calc/core/CalcNumber.h"

#include <QString>
#include <functional>
#include <stdexcept>

namespace veskor {

// What happens to a value out of range (before it is moved to the bound it broke).
enum class RangeHandler { Adjust, Exception, Dialog, Event };
// The format of the field while it is not focused.
enum class DisplayFormat { Number, Custom };

// The range error of RangeHandler::Exception; its text is "Value out of range".
class RangeError : public std::runtime_error {
public:
    RangeError();
};

class CalcField final {
public:
    static constexpr int kDefaultDecimals = 2;
    static constexpr int kDefaultMaxLength = 13;

    explicit CalcField(NumberSeparators separators = NumberSeparators::system());

    [[nodiscard]] const NumberSeparators& separators() const { return m_separators; }

    // The stored value; while focused the text may hold more (see commitText).
    [[nodiscard]] double value() const { return m_value; }
    // Rounds to decimals() places; unfocused and without a keypad, also through checkRange.
    // An unchanged value changes nothing, not even the text.
    void setValue(double value);
    [[nodiscard]] int decimals() const { return m_decimals; }
    // Refreshes the text in the new format; the value is kept as it is.
    void setDecimals(int decimals);
    [[nodiscard]] int maxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length; }

    // Both 0: no range. A bound that would pass the other is ignored; a new bound re-checks
    // the value.
    [[nodiscard]] double minimum() const { return m_min; }
    [[nodiscard]] double maximum() const { return m_max; }
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    RangeHandler rangeHandler = RangeHandler::Adjust;
    // Shown by RangeHandler::Dialog through showRangeMessage when not empty, formatted with the
    // arguments minimum, maximum, value and the broken bound (formatFloatPattern).
    QString rangeMessage;
    std::function<void(const QString& text)> showRangeMessage;
    // RangeHandler::Event: newValue arrives adjusted and may be changed.
    std::function<void(double& newValue, double minimum, double maximum, double value)> rangeError;
    // The value in range by the handler; throws RangeError for RangeHandler::Exception.
    [[nodiscard]] double checkRange(double value) const;

    DisplayFormat displayFormat = DisplayFormat::Number;
    QString displayFormatMask; // one floating argument, for DisplayFormat::Custom

    // The field's change notification, and the one for changes while unfocused and no keypad
    // runs.
    std::function<void()> changed;
    std::function<void()> doneValue;
    // Called after the text changed from the field's side (not for setEditText).
    std::function<void()> textChanged;

    [[nodiscard]] const QString& text() const { return m_text; }
    // What the user's editing made of the text.
    void setEditText(const QString& text) { m_text = text; }
    // The text for the current focus; refreshText() applies it.
    [[nodiscard]] QString formattedText(bool focused) const;
    void refreshText();
    // Shows the value in the editing format whatever the focus.
    void refreshEditingText();
    void appendToText(const QString& tail);

    [[nodiscard]] bool isFocused() const { return m_focused; }
    [[nodiscard]] bool isEditing() const { return m_editing; }
    [[nodiscard]] bool isKeypadRunning() const { return m_keypadRunning; }
    void setKeypadRunning(bool running) { m_keypadRunning = running; }

    // Entering: the editing format.
    void enter();
    // Leaving: commitText(), then the text for the new focus. focusGone: the focus went
    // elsewhere (not to a window of the field's own). A RangeError leaves everything as it was.
    void leave(bool focusGone);
    // The text read into the value through checkRange; a text that is not a number stores
    // checkRange(0). Throws RangeError. Runs `changed`.
    void commitText();
    // The text read into the value as opening the keypad does: no range, failures read 0.
    void readTextForKeypad();

private:
    void store(double rounded);

    NumberSeparators m_separators;
    double m_value = 0;
    int m_decimals = kDefaultDecimals;
    int m_maxLength = kDefaultMaxLength;
    double m_min = 0;
    double m_max = 0;
    QString m_text;
    bool m_focused = false;
    bool m_editing = false;
    bool m_keypadRunning = false;
};

} // namespace veskor
