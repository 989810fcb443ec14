#include "calc/core/CalcCommand.h"

#include "calc/core/CalcField.h"
#include "calc/core/Keypad.h"

#include <QCoreApplication>
#include <array>
#include <utility>

namespace veskor {

namespace {

enum class Extra { None, Backspace, Escape };

struct CommandKey {
    KeypadKey key = KeypadKey::Equals;
    Extra extra = Extra::None;
};

std::optional<CommandKey> findKey(const std::string& word) {
    static const std::array<std::pair<const char*, KeypadKey>, 14> kCaptions{{
        {"00", KeypadKey::DoubleZero},
        {".", KeypadKey::Separator},
        {",", KeypadKey::Separator},
        {"/", KeypadKey::Divide},
        {"x", KeypadKey::Multiply},
        {"-", KeypadKey::Subtract},
        {"+", KeypadKey::Add},
        {"C", KeypadKey::Clear},
        {"CA", KeypadKey::ClearAll},
        {"=", KeypadKey::Equals},
        {"M+", KeypadKey::MemoryAdd},
        {"M-", KeypadKey::MemorySubtract},
        {"MR", KeypadKey::MemoryRecall},
        {"MC", KeypadKey::MemoryClear},
    }};
    if (word.size() == 1 && word[0] >= '0' && word[0] <= '9') {
        return CommandKey{digitKey(word[0] - '0'), Extra::None};
    }
    if (word == "BS") {
        return CommandKey{KeypadKey::Equals, Extra::Backspace};
    }
    if (word == "Esc") {
        return CommandKey{KeypadKey::Equals, Extra::Escape};
    }
    for (const auto& [caption, key] : kCaptions) {
        if (word == caption) {
            return CommandKey{key, Extra::None};
        }
    }
    return std::nullopt;
}

// The operator a key stands for; typed into the field, it opens the keypad with it pending.
CalcOperator keyOperator(const CommandKey& key) {
    if (key.extra != Extra::None) {
        return CalcOperator::None;
    }
    switch (key.key) {
    case KeypadKey::Divide:
        return CalcOperator::Divide;
    case KeypadKey::Multiply:
        return CalcOperator::Multiply;
    case KeypadKey::Subtract:
        return CalcOperator::Subtract;
    case KeypadKey::Add:
        return CalcOperator::Add;
    default:
        return CalcOperator::None;
    }
}

// Scripts write "1.5" whatever the locale; the locale's own separator is read too.
std::optional<double> parseStartValue(const std::string& text, const NumberSeparators& separators) {
    const QString value = QString::fromStdString(text);
    if (const std::optional<double> plain = parseNumber(value, NumberSeparators{'.', {}})) {
        return plain;
    }
    return parseNumber(value, separators);
}

} // namespace

int runCalcCommand(const std::optional<std::string>& value, const std::vector<std::string>& keys,
                   const NumberSeparators& separators, std::ostream& out, std::ostream& err) {
    std::vector<CommandKey> pressed;
    for (const std::string& word : keys) {
        const std::optional<CommandKey> key = findKey(word);
        if (!key) {
            err << QCoreApplication::translate("CalcCommand", "veskor: unknown key '%1'")
                       .arg(QString::fromStdString(word))
                       .toStdString()
                << '\n';
            return 2;
        }
        pressed.push_back(*key);
    }

    CalcField field(separators);
    if (value) {
        const std::optional<double> start = parseStartValue(*value, separators);
        if (!start) {
            err << QCoreApplication::translate("CalcCommand",
                                               "veskor: --value '%1' is not a number")
                       .arg(QString::fromStdString(*value))
                       .toStdString()
                << '\n';
            return 2;
        }
        field.setValue(*start);
    }
    field.enter();
    std::optional<Keypad> keypad;
    const auto open = [&field, &keypad](CalcOperator first) {
        field.readTextForKeypad();
        keypad.emplace(field, first);
        keypad->show();
    };
    // Every key goes to the keypad, opened as Down opens it, so that the command and the popup
    // always agree.
    open(CalcOperator::None);
    for (std::size_t i = 0; i < pressed.size(); ++i) {
        const CommandKey& key = pressed[i];
        if (keypad->result() != Keypad::Result::Running) {
            // Closed: an operator typed in the field opens it again with that operator pending.
            const CalcOperator first = keyOperator(key);
            if (first == CalcOperator::None) {
                err << QCoreApplication::translate("CalcCommand",
                                                   "veskor: key '%1' after the keypad closed")
                           .arg(QString::fromStdString(keys[i]))
                           .toStdString()
                    << '\n';
                return 2;
            }
            open(first);
            continue;
        }
        if (key.extra == Extra::Backspace) {
            keypad->backspace();
        } else if (key.extra == Extra::Escape) {
            keypad->pressCharacter(QChar(0x1b));
        } else {
            keypad->press(key.key);
        }
        if (keypad->result() != Keypad::Result::Running) {
            keypad->close();
        }
    }
    // The end commits as a click outside the keypad does.
    if (keypad->result() == Keypad::Result::Running) {
        keypad->commitOutside();
        keypad->close();
    }
    field.leave(true);
    out << field.text().toStdString() << '\n';
    return 0;
}

} // namespace veskor
