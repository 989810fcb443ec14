// Typing in the field: the decimal separator survives digits, Backspace and Delete.

#include "calc/core/FieldEditing.h"

#include <gtest/gtest.h>

using namespace veskor;

namespace veskor {
// Found by gtest through the type's namespace.
std::ostream& operator<<(std::ostream& out, const EditState& state) {
    return out << '"' << state.text.toStdString() << "\" " << state.start << '+' << state.length;
}
} // namespace veskor

namespace {
using Outcome = TypedKey::Outcome;
} // namespace

TEST(FieldEditing, TypedCharacters) {
    const TypingRules rules;
    struct Case {
        EditState before;
        char typed;
        Outcome outcome;
        EditState after;
    };
    const Case cases[] = {
        // A digit over a selection holding the separator keeps it, unless it reaches the end.
        {{"12.50", 1, 2}, '7', Outcome::Accepted, {"17.50", 2, 0}},
        {{"0.00", 0, 4}, '7', Outcome::Accepted, {"7", 1, 0}},
        {{"12.50", 5, 0}, '1', Outcome::Accepted, {"12.501", 6, 0}},
        {{"1234567890.12", 13, 0}, '3', Outcome::Refused, {"1234567890.12", 13, 0}},
        // The separator: new, replacing a selected one, refused after it, or moving it left.
        {{"125", 2, 0}, '.', Outcome::Accepted, {"12.5", 3, 0}},
        {{"12.50", 2, 2}, '.', Outcome::Accepted, {"12.0", 3, 0}},
        {{"12.50", 4, 0}, '.', Outcome::Refused, {"12.50", 4, 0}},
        {{"12.50", 1, 0}, '.', Outcome::Accepted, {"1.50", 2, 0}},
        {{"12.50", 0, 1}, '.', Outcome::Accepted, {".50", 1, 0}},
        {{"12", 0, 0}, 'a', Outcome::Refused, {"12", 0, 0}},
        {{"12", 0, 0}, ',', Outcome::Refused, {"12", 0, 0}},
    };
    for (const Case& c : cases) {
        const TypedKey key = typeCharacter(c.before, QChar(c.typed), rules);
        EXPECT_EQ(key.outcome, c.outcome) << c.before << " + " << c.typed;
        EXPECT_EQ(key.state, c.after) << c.before << " + " << c.typed;
    }
}

TEST(FieldEditing, OperatorsOpenTheKeypadUnlessAnotherPopupServes) {
    const EditState state{"12.50", 2, 0};
    TypingRules rules;
    const std::pair<char, CalcOperator> operators[] = {{'+', CalcOperator::Add},
                                                       {'-', CalcOperator::Subtract},
                                                       {'*', CalcOperator::Multiply},
                                                       {'/', CalcOperator::Divide}};
    for (const auto& [typed, op] : operators) {
        const TypedKey key = typeCharacter(state, QChar(typed), rules);
        EXPECT_EQ(key.outcome, Outcome::OpenKeypad);
        EXPECT_EQ(key.keypadOperator, op);
    }
    rules.signAllowed = true;
    EXPECT_EQ(typeCharacter(state, '+', rules).outcome, Outcome::Refused);
    EXPECT_EQ(typeCharacter(state, '-', rules).outcome, Outcome::Refused);
    EXPECT_EQ(typeCharacter({"12.50", 0, 0}, '-', rules).state, (EditState{"-12.50", 1, 0}));

    rules.decimals = 0;
    EXPECT_EQ(typeCharacter({"12", 2, 0}, '.', rules).outcome, Outcome::Refused);
}

TEST(FieldEditing, BackspaceAndDeleteKeepTheSeparator) {
    struct Case {
        EditState before;
        EditState backspace;
        EditState del;
    };
    const Case cases[] = {
        // Caret just after, just before, the separator selected: the caret moves or stays.
        {{"12.50", 3, 0}, {"12.50", 2, 0}, {"12.0", 3, 0}},
        {{"12.50", 2, 0}, {"1.50", 1, 0}, {"12.50", 3, 0}},
        {{"12.50", 2, 1}, {"12.50", 2, 0}, {"12.50", 2, 1}},
        // A selection holding it, not to the end: deleted, the separator put back.
        {{"12.50", 1, 3}, {"1.0", 1, 0}, {"1.0", 1, 0}},
        // Reaching the end, or the separator last: plain deletion.
        {{"12.50", 1, 4}, {"1", 1, 0}, {"1", 1, 0}},
        {{"12.", 3, 0}, {"12", 2, 0}, {"12.", 3, 0}},
        {{"12.", 2, 0}, {"1.", 1, 0}, {"12", 2, 0}},
        {{"", 0, 0}, {"", 0, 0}, {"", 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pressBackspace(c.before, '.'), c.backspace) << c.before;
        EXPECT_EQ(pressDelete(c.before, '.'), c.del) << c.before;
    }
}
