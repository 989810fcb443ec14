// `veskor calc`: every key goes to the keypad the popup uses.

#include "calc/core/CalcCommand.h"

#include "calc/core/Keypad.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace veskor;

namespace {

struct CalcRun {
    int status = 0;
    std::string out;
    std::string err;
};

CalcRun calc(const std::vector<std::string>& keys, std::optional<std::string> value = {},
             const NumberSeparators& separators = {'.', ","}) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCalcCommand(value, keys, separators, out, err);
    return {status, out.str(), err.str()};
}

} // namespace

// The popup's keypad, opened by Down on a field at `start`, fed the same keys by caption.
std::string onThePopup(const std::vector<std::string>& keys, double start) {
    CalcField field(NumberSeparators{'.', ","});
    field.setValue(start);
    field.enter();
    field.readTextForKeypad();
    Keypad keypad(field, CalcOperator::None);
    keypad.show();
    const std::map<std::string, KeypadKey> named{
        {"+", KeypadKey::Add},        {"-", KeypadKey::Subtract},      {"x", KeypadKey::Multiply},
        {"/", KeypadKey::Divide},     {"=", KeypadKey::Equals},        {".", KeypadKey::Separator},
        {"M+", KeypadKey::MemoryAdd}, {"MR", KeypadKey::MemoryRecall}, {"CA", KeypadKey::ClearAll},
        {"C", KeypadKey::Clear}};
    for (const std::string& key : keys) {
        if (key == "BS") {
            keypad.backspace();
        } else if (named.contains(key)) {
            keypad.press(named.at(key));
        } else {
            keypad.press(digitKey(key[0] - '0'));
        }
    }
    keypad.commitOutside();
    keypad.close();
    field.leave(true);
    return field.text().toStdString() + "\n";
}

TEST(CalcCommand, AgreesWithThePopupKeypad) {
    struct Case {
        std::vector<std::string> keys;
        double start;
    };
    const Case cases[] = {
        {{"7", "M+", "3", "M+", "MR", "="}, 0},
        {{"1", "2", "3", "4", ".", "5"}, 0},
        {{"+", "3", "="}, 12.5},
        {{"5", "0", "0", "/", "4", "M+", "CA", "MR", "BS", "BS", "="}, 0},
    };
    for (const Case& c : cases) {
        const CalcRun run = calc(c.keys, std::to_string(c.start));
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, onThePopup(c.keys, c.start));
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(calc({"7", "M+", "3", "M+", "MR", "="}).out, "10.00\n");
}

TEST(CalcCommand, ReadsThePointInEveryLocaleAndReopensOnAnOperator) {
    const NumberSeparators czech{',', "\u00a0"};
    EXPECT_EQ(calc({"x", "2", "="}, "1.5", czech).out, "3,00\n");
    EXPECT_EQ(calc({"x", "2", "="}, "1,5", czech).out, "3,00\n");
    EXPECT_EQ(calc({"2", "+", "3", "=", "x", "2", "="}).out, "10.00\n");
}

TEST(CalcCommand, RefusesUnknownKeysAndKeysAfterTheKeypadClosed) {
    CalcRun run = calc({"2", "+", "3", "%"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "veskor: unknown key '%'\n");

    run = calc({"2", "+", "3", "=", "4"}); // a digit would be typed in the field, not the keypad
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "veskor: key '4' after the keypad closed\n");

    run = calc({"1"}, "twelve");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "veskor: --value 'twelve' is not a number\n");
}
