#include "calc/core/CalcCommand.h"

#include "calc/core/CalcField.h"
#include "calc/core/FieldEditing.h"
#include "calc/core/Keypad.h"

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

// The characters a key types into the field; keys the field has no use for type nothing.
QString fieldCharacters(KeypadKey key, QChar decimal) {
    const int tag = static_cast<int>(key);
    if (tag >= 0 && tag <= 9) {
        return QString(QChar('0' + tag));
    }
    switch (key) {
    case KeypadKey::DoubleZero:
        return "00";
    case KeypadKey::Separator:
        return QString(decimal);
    case KeypadKey::Divide:
        return "/";
    case KeypadKey::Multiply:
        return "*";
    case KeypadKey::Subtract:
        return "-";
    case KeypadKey::Add:
        return "+";
    default:
        return {};
    }
}

} // namespace

int runCalcCommand(const std::optional<std::string>& value, const std::vector<std::string>& keys,
                   const NumberSeparators& separators, std::ostream& out, std::ostream& err) {
    std::vector<CommandKey> pressed;
    for (const std::string& word : keys) {
        const std::optional<CommandKey> key = findKey(word);
        if (!key) {
            err << "veskor: unknown key '" << word << "'\n";
            return 2;
        }
        pressed.push_back(*key);
    }

    CalcField field(separators);
    if (value) {
        const std::optional<double> start = parseNumber(QString::fromStdString(*value), separators);
        if (!start) {
            err << "veskor: --value '" << *value << "' is not a number\n";
            return 2;
        }
        field.setValue(*start);
    }
    // Focused as the panel leaves it: the whole text selected.
    field.enter();
    EditState edit{field.text(), 0, static_cast<int>(field.text().size())};
    const TypingRules rules{separators.decimal, field.decimals(), field.maxLength(), false};

    std::optional<Keypad> keypad;
    for (std::size_t i = 0; i < pressed.size(); ++i) {
        const CommandKey& key = pressed[i];
        if (keypad && keypad->result() != Keypad::Result::Running) {
            err << "veskor: key '" << keys[i] << "' after the keypad closed\n";
            return 2;
        }
        if (keypad) {
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
            continue;
        }
        if (key.extra == Extra::Backspace) {
            edit = pressBackspace(edit, separators.decimal);
            field.setEditText(edit.text);
            continue;
        }
        if (key.extra == Extra::Escape) {
            continue; // the field has no use for it
        }
        for (const QChar typed : fieldCharacters(key.key, separators.decimal)) {
            const TypedKey result = typeCharacter(edit, typed, rules);
            if (result.outcome == TypedKey::Outcome::Accepted) {
                edit = result.state;
                field.setEditText(edit.text);
            } else if (result.outcome == TypedKey::Outcome::OpenKeypad) {
                field.readTextForKeypad();
                keypad.emplace(field, result.keypadOperator);
                keypad->show();
            }
        }
    }
    if (keypad && keypad->result() == Keypad::Result::Running) {
        keypad->press(KeypadKey::Equals);
        keypad->close();
    }
    field.leave(true);
    out << field.text().toStdString() << '\n';
    return 0;
}

} // namespace veskor
