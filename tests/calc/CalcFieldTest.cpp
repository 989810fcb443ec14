// The field's numbers: formats, parsing, rounding, the range handlers, focus.

#include "calc/core/CalcField.h"

#include <array>
#include <gtest/gtest.h>

using namespace veskor;

namespace {
const NumberSeparators kPlain{'.', ","};
const NumberSeparators kCzech{',', QString(QChar(0xa0))};
} // namespace

TEST(CalcNumber, FormatsRoundHalvesAwayFromZeroOnTheShownDigits) {
    EXPECT_EQ(formatFixed(1234.5, 2, kPlain), "1234.50");
    EXPECT_EQ(formatGrouped(1234.5, 2, kPlain), "1,234.50");
    EXPECT_EQ(formatGrouped(-1234567.891, 2, kPlain), "-1,234,567.89");
    EXPECT_EQ(formatGrouped(999.995, 2, kPlain), "1,000.00");
    EXPECT_EQ(formatGrouped(1234.5, 2, kCzech), QString("1\u00a0234,50"));
    EXPECT_EQ(formatFixed(2.175, 2, kPlain), "2.18");
    EXPECT_EQ(formatFixed(-0.004, 2, kPlain), "0.00");
    EXPECT_EQ(formatFixed(0.5, 0, kPlain), "1");
    EXPECT_EQ(formatFixed(0.04, 1, kPlain), "0.0");
    EXPECT_EQ(formatFixed(1e20, 1, kPlain), "100000000000000000000.0");
    EXPECT_DOUBLE_EQ(roundToDecimals(1.005, 2), 1.01);
}

TEST(CalcNumber, ParsesOnlyPlainNumbersWithTheLocalesSeparator) {
    for (const char* good : {"12.", ".5", " 3 ", "+4", "-7.25", "1e3"}) {
        EXPECT_TRUE(parseNumber(good, kPlain)) << good;
    }
    for (const char* bad : {"", ".", "-", "1,234.5", "abc", "--1", "+-1", "inf", "1e", "1e999"}) {
        EXPECT_FALSE(parseNumber(bad, kPlain)) << bad;
    }
    EXPECT_EQ(parseNumber("12,5", kCzech), 12.5);
    EXPECT_FALSE(parseNumber("12.5", kCzech));
    EXPECT_EQ(readFieldText("", kPlain), 0.0);
    EXPECT_EQ(readFieldText(" - ", kPlain), 0.0);
    EXPECT_FALSE(readFieldText("1-", kPlain));
}

TEST(CalcNumber, PatternTakesIndexWidthAndPrecision) {
    const std::array<double, 3> args{1.5, 1234.5, -2};
    EXPECT_EQ(formatFloatPattern("%2:f is not in %0:.1f..%1:n", args, kPlain),
              "-2.00 is not in 1.5..1,234.50");
    EXPECT_EQ(formatFloatPattern("[%6.1f][%-6.0f]%% %g", args, kPlain), "[   1.5][1235  ]% -2");
    EXPECT_EQ(formatFloatPattern("%d %5:f %e", args, kPlain), "%d %5:f 1.50000000000000e+00");
}

TEST(CalcField, StoresRoundedAndShowsByFocus) {
    CalcField field(kPlain);
    EXPECT_EQ(field.text(), "0.00");
    int done = 0;
    field.doneValue = [&done] { ++done; };
    field.setValue(1234.499);
    EXPECT_DOUBLE_EQ(field.value(), 1234.5);
    EXPECT_EQ(field.text(), "1,234.50");
    EXPECT_EQ(done, 1);
    field.enter();
    EXPECT_EQ(field.text(), "1234.50");
    field.setValue(7);
    EXPECT_EQ(done, 1); // focused: not a done value
    field.displayFormat = DisplayFormat::Custom;
    field.displayFormatMask = "%.1f EUR";
    field.setEditText("99.456");
    field.leave(true);
    EXPECT_DOUBLE_EQ(field.value(), 99.46);
    EXPECT_EQ(field.text(), "99.5 EUR");

    field.enter();
    field.setEditText("12a");
    field.leave(true);
    EXPECT_EQ(field.value(), 0);
}

TEST(CalcField, RangeHandlersAndBounds) {
    CalcField field(kPlain);
    field.setMinimum(5); // above the maximum 0: ignored
    EXPECT_EQ(field.minimum(), 0);
    field.setMaximum(10);
    field.setMinimum(5); // re-checks 0
    EXPECT_EQ(field.value(), 5);
    field.setValue(12);
    EXPECT_EQ(field.value(), 10);

    field.enter();
    field.setValue(20); // focused: not checked
    EXPECT_EQ(field.value(), 20);
    field.setEditText("nonsense"); // reads 0, which is checked
    field.leave(true);
    EXPECT_EQ(field.value(), 5);

    field.rangeHandler = RangeHandler::Exception;
    field.enter();
    field.setEditText("11");
    EXPECT_THROW(field.leave(true), RangeError);
    EXPECT_TRUE(field.isFocused());
    try {
        field.commitText();
        ADD_FAILURE() << "no range error";
    } catch (const RangeError& error) {
        EXPECT_STREQ(error.what(), "Value out of range");
    }

    field.rangeHandler = RangeHandler::Dialog;
    QString shown;
    field.showRangeMessage = [&shown](const QString& text) { shown = text; };
    EXPECT_EQ(field.checkRange(3), 5);
    EXPECT_TRUE(shown.isEmpty()); // no message text: no box
    field.rangeMessage = "%2:.0f: not in %0:.0f..%1:.0f, now %3:.0f";
    EXPECT_EQ(field.checkRange(11), 10);
    EXPECT_EQ(shown, "11: not in 5..10, now 10");

    field.rangeHandler = RangeHandler::Event;
    field.rangeError = [](double& value, double minimum, double maximum, double broken) {
        EXPECT_EQ(value, 5);
        value = (minimum + maximum + broken) / 3;
    };
    EXPECT_EQ(field.checkRange(3), 6);
    field.rangeError = {};
    EXPECT_EQ(field.checkRange(12), 10);
}
