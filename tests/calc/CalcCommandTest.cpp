// `veskor calc`: keys typed into the field, then into the keypad.

#include "calc/core/CalcCommand.h"

#include <gtest/gtest.h>
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

TEST(CalcCommand, PrintsTheFieldAsUnfocused) {
    struct Case {
        std::vector<std::string> keys;
        std::optional<std::string> value;
        const char* printed;
    };
    const Case cases[] = {
        {{"2", "+", "3", "x", "4", "="}, {}, "20.00\n"},
        {{"1", "2", "3", "4", ".", "5"}, {}, "1,234.50\n"}, // no keypad: the typed text
        {{"+", "3"}, "12.5", "15.50\n"},                    // the end closes with OK
        {{"x", "3", "Esc"}, "12.5", "12.50\n"},
        {{"9", "BS", "7", "BS", "BS", "5", "-", "8", "="}, {}, "-3.00\n"},
        {{"5", "0", "0", "/", "4", "M+", "CA", "MR", "BS", "BS", "="}, {}, "125.00\n"},
        {{"=", "C", "7", "/", "2", "="}, {}, "3.50\n"}, // keys the field has no use for
    };
    for (const Case& c : cases) {
        const CalcRun run = calc(c.keys, c.value);
        EXPECT_EQ(run.status, 0) << c.printed;
        EXPECT_EQ(run.out, c.printed);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(calc({"1", "2", "3", "4", ",", "5", "+", "1", "="}, {}, {',', "."}).out,
              "1.235,50\n");
}

TEST(CalcCommand, RefusesUnknownKeysAndKeysAfterTheKeypadClosed) {
    CalcRun run = calc({"2", "+", "3", "%"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "veskor: unknown key '%'\n");

    run = calc({"2", "+", "3", "=", "4"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "veskor: key '4' after the keypad closed\n");

    run = calc({"1"}, "twelve");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "veskor: --value 'twelve' is not a number\n");
}
