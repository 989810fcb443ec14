#include "calc/core/FieldEditing.h"

#include <optional>
#include <utility>

namespace veskor {

namespace {

bool selectionHolds(const EditState& state, qsizetype position) {
    return position >= state.start && position < state.end();
}

EditState replaceSelection(const EditState& state, const QString& with) {
    EditState result;
    result.text = state.text.left(state.start) + with + state.text.mid(state.end());
    result.start = state.start + static_cast<int>(with.size());
    return result;
}

// Deletes a selection that holds the separator and does not reach the end, putting the
// separator back where the selection was; nullopt when the selection is not such a one.
std::optional<EditState> deleteKeepingSeparator(const EditState& state, QChar decimal) {
    const qsizetype separator = state.text.indexOf(decimal);
    if (state.length == 0 || separator < 0 || !selectionHolds(state, separator) ||
        state.end() >= state.text.size()) {
        return std::nullopt;
    }
    EditState result = replaceSelection(state, QString(decimal));
    result.start = state.start;
    return result;
}

} // namespace

TypedKey typeCharacter(const EditState& state, QChar typed, const TypingRules& rules) {
    TypedKey key;
    key.state = state;
    const auto accept = [&key, &state, &rules](EditState result) {
        if (result.text.size() > rules.maxLength && result.text.size() > state.text.size()) {
            return;
        }
        key.outcome = TypedKey::Outcome::Accepted;
        key.state = std::move(result);
    };
    const qsizetype separator = state.text.indexOf(rules.decimal);

    const bool sign = typed == '-' && rules.signAllowed && state.start == 0;
    if ((typed >= '0' && typed <= '9') || sign) {
        if (separator >= 0 && selectionHolds(state, separator) && state.end() < state.text.size()) {
            EditState result = replaceSelection(state, QString(typed) + rules.decimal);
            result.start -= 1;
            accept(result);
        } else {
            accept(replaceSelection(state, QString(typed)));
        }
        return key;
    }
    if (typed == rules.decimal && rules.decimals > 0) {
        if (separator < 0 || selectionHolds(state, separator)) {
            accept(replaceSelection(state, QString(typed)));
        } else if (separator >= state.start) {
            // The point moves left: everything from the caret up to the old one goes.
            EditState extended = state;
            extended.length = static_cast<int>(separator) + 1 - state.start;
            accept(replaceSelection(extended, QString(typed)));
        }
        return key;
    }
    if (!rules.signAllowed) {
        static constexpr std::pair<char16_t, CalcOperator> kOperators[] = {
            {u'+', CalcOperator::Add},
            {u'-', CalcOperator::Subtract},
            {u'*', CalcOperator::Multiply},
            {u'/', CalcOperator::Divide}};
        for (const auto& [character, op] : kOperators) {
            if (typed == QChar(character)) {
                key.outcome = TypedKey::Outcome::OpenKeypad;
                key.keypadOperator = op;
            }
        }
    }
    return key;
}

EditState pressBackspace(const EditState& state, QChar decimal) {
    const qsizetype separator = state.text.indexOf(decimal);
    const bool separatorLast = separator >= 0 && separator == state.text.size() - 1;
    if (separator >= 0 && !separatorLast) {
        const bool separatorSelected = state.length == 1 && state.start == separator;
        const bool caretAfter = state.length == 0 && state.start == separator + 1;
        if (separatorSelected || caretAfter) {
            return {state.text, static_cast<int>(separator), 0};
        }
        if (auto kept = deleteKeepingSeparator(state, decimal)) {
            return *kept;
        }
    }
    if (state.length > 0) {
        return replaceSelection(state, QString());
    }
    if (state.start == 0) {
        return state;
    }
    return replaceSelection({state.text, state.start - 1, 1}, QString());
}

EditState pressDelete(const EditState& state, QChar decimal) {
    if (state.text.isEmpty()) {
        return state;
    }
    const qsizetype separator = state.text.indexOf(decimal);
    const bool separatorLast = separator >= 0 && separator == state.text.size() - 1;
    if (separator >= 0 && !separatorLast) {
        if (state.length == 1 && state.start == separator) {
            return state;
        }
        if (state.length == 0 && state.start == separator) {
            return {state.text, state.start + 1, 0};
        }
        if (auto kept = deleteKeepingSeparator(state, decimal)) {
            return *kept;
        }
    }
    if (state.length > 0) {
        return replaceSelection(state, QString());
    }
    if (state.start >= state.text.size()) {
        return state;
    }
    EditState result = replaceSelection({state.text, state.start, 1}, QString());
    result.start = state.start;
    return result;
}

} // namespace veskor
