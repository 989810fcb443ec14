// The keypad's chain arithmetic and memory, driven key by key as the popup drives it.

#include "calc/core/Keypad.h"

#include "calc/core/KeypadPlacement.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

using namespace veskor;

namespace {

const NumberSeparators kPlain{'.', ","};

// A field at `start` (two decimals) and a keypad opened on it with `first` pressed.
class KeypadRun {
public:
    explicit KeypadRun(double start, CalcOperator first = CalcOperator::None) : field(kPlain) {
        field.setValue(start);
        field.enter();
        keypad.emplace(field, first);
        keypad->show();
    }

    // Keys by caption, separated by blanks; "BS" and "Esc" as typed.
    void keys(const QString& captions) {
        for (const QString& caption : captions.split(' ', Qt::SkipEmptyParts)) {
            if (caption == "BS") {
                keypad->backspace();
            } else if (caption == "Esc") {
                keypad->pressCharacter(QChar(0x1b));
            } else if (caption == "00") {
                keypad->press(KeypadKey::DoubleZero);
            } else if (caption.startsWith('M')) {
                const QStringList memory{"M+", "M-", "MR", "MC"};
                keypad->press(static_cast<KeypadKey>(19 + memory.indexOf(caption)));
            } else if (caption == "CA") {
                keypad->press(KeypadKey::ClearAll);
            } else if (caption == "x") {
                keypad->press(KeypadKey::Multiply);
            } else {
                ASSERT_TRUE(keypad->pressCharacter(caption.front())) << caption.toStdString();
            }
        }
    }
    // The field's value once the keypad has closed.
    double closed() {
        keypad->close();
        field.leave(true);
        return field.value();
    }

    CalcField field;
    std::optional<Keypad> keypad;
};

} // namespace

TEST(Keypad, ChainsLeftToRightWithoutPrecedence) {
    struct Case {
        const char* keys;
        double result;
    };
    for (const Case& c :
         {Case{"2 + 3 x 4 =", 20}, Case{"5 + =", 5}, Case{"5 + - 2 =", 3}, Case{"7 / 0 =", 0},
          Case{"1 0 - 2 5 . 5 =", -15.5}, Case{"9 9 9 9 9 9 9 9 9 9 x x =", 9999999999},
          Case{"5 + 3 C =", 5}, Case{"5 + 3 CA =", 0}, Case{"1 . 5 x 1 . 4 5 =", 2.18}}) {
        KeypadRun run(0);
        run.keys(c.keys);
        EXPECT_EQ(run.keypad->result(), Keypad::Result::Ok) << c.keys;
        EXPECT_DOUBLE_EQ(run.closed(), c.result) << c.keys;
    }
}

TEST(Keypad, OpensWithTheFieldsValueAndItsOperatorPending) {
    KeypadRun run(12.5, CalcOperator::Add);
    EXPECT_DOUBLE_EQ(run.keypad->accumulator(), 12.5);
    EXPECT_EQ(run.keypad->pendingOperator(), CalcOperator::Add);
    EXPECT_TRUE(run.keypad->entryDone());
    run.keys("3");
    EXPECT_EQ(run.field.text(), "3");
    run.keys("=");
    run.keypad->close();
    EXPECT_EQ(run.field.text(), "15.50");
}

TEST(Keypad, OverflowGivesZeroSilently) {
    KeypadRun run(0);
    run.keys("9 9 9 9 9 9 9 9 9 9");
    for (int i = 0; i < 40; ++i) {
        run.keys("x 9 9 9 9 9 9 9 9 9 9");
    }
    run.keys("=");
    EXPECT_EQ(run.closed(), 0);
}

TEST(Keypad, EntryKeepsTenIntegerAndTwoFractionDigitsAndShowsAsTyped) {
    KeypadRun run(0);
    run.keys("1 2 3 4 5 6 7 8 9 0 1 2");
    EXPECT_EQ(run.keypad->integerDigits(), "1234567890");
    run.keys(".");
    EXPECT_EQ(run.field.text(), "1234567890.");
    run.keys("5 6 7");
    EXPECT_EQ(run.keypad->fractionDigits(), "56");
    EXPECT_EQ(run.field.text(), "1234567890.56");

    // "00" at the limit adds what still fits; the separator first gives "0.".
    KeypadRun zeros(0);
    zeros.keys(". 5 00");
    EXPECT_EQ(zeros.field.text(), "0.50");

    // Without decimals there is no fraction, and the integer part may take the whole length.
    CalcField whole(kPlain);
    whole.setDecimals(0);
    Keypad keypad(whole, CalcOperator::None);
    keypad.show();
    keypad.press(KeypadKey::Separator);
    EXPECT_FALSE(keypad.inFraction());
    for (int i = 0; i < 15; ++i) {
        keypad.press(digitKey(1));
    }
    EXPECT_EQ(keypad.integerDigits().size(), 13);
    keypad.close();
}

TEST(Keypad, BackspaceLeavesTheFractionThenEatsIntegerDigits) {
    KeypadRun run(0);
    run.keys("1 2 . 5");
    const char* texts[] = {"12.", "12", "1", "0"};
    for (const char* text : texts) {
        run.keys("BS");
        EXPECT_EQ(run.field.text(), text);
    }
    EXPECT_TRUE(run.keypad->entryDone());
    EXPECT_FALSE(run.keypad->inFraction());
}

TEST(Keypad, MemoryLivesWithThePopupAndRecallsAsANewEntry) {
    KeypadRun run(0);
    run.keys("5 + 3 M+");
    EXPECT_DOUBLE_EQ(run.keypad->memory(), 8);
    EXPECT_EQ(run.keypad->pendingOperator(), CalcOperator::None);
    run.keys("CA 2 M- MR");
    EXPECT_DOUBLE_EQ(run.keypad->memory(), 6);
    EXPECT_EQ(run.keypad->integerDigits(), "6");
    EXPECT_EQ(run.keypad->fractionDigits(), "00");
    EXPECT_EQ(run.field.text(), "6.00");
    // A memory key right after another applies the cleared entry: the result becomes 0.
    run.keys("M+");
    EXPECT_DOUBLE_EQ(run.keypad->memory(), 12);
    run.keys("M+ + 1 =");
    EXPECT_DOUBLE_EQ(run.keypad->memory(), 12);
    EXPECT_DOUBLE_EQ(run.closed(), 1);

    KeypadRun negative(0);
    negative.keys("0 - 2 . 5 M+ MR");
    EXPECT_EQ(negative.keypad->integerDigits(), "-2");
    EXPECT_EQ(negative.keypad->fractionDigits(), "50");
    negative.keys("MC MR");
    EXPECT_EQ(negative.field.text(), "0.00");

    KeypadRun next(0);
    EXPECT_EQ(next.keypad->memory(), 0);
}

TEST(Keypad, EscapeRestoresAndOutsideClickCommits) {
    KeypadRun cancelled(12.5, CalcOperator::Multiply);
    cancelled.keys("4 = ");
    cancelled.keys("Esc"); // after "=" the keypad has already closed with OK
    EXPECT_DOUBLE_EQ(cancelled.closed(), 50);

    KeypadRun escaped(12.5, CalcOperator::Multiply);
    escaped.keys("4 M+ 7 Esc");
    EXPECT_EQ(escaped.keypad->result(), Keypad::Result::Cancel);
    EXPECT_DOUBLE_EQ(escaped.closed(), 12.5);

    KeypadRun outside(12.5, CalcOperator::Add);
    outside.keys("3");
    outside.keypad->commitOutside();
    EXPECT_DOUBLE_EQ(outside.closed(), 15.5);
}

TEST(KeypadPlacement, BelowTheFieldAndKeptOnTheScreen) {
    const QRect screen(0, 0, 800, 600);
    const QSize keypad(120, 72);
    EXPECT_EQ(keypadPosition({100, 50, 261, 26}, keypad, screen, false), QPoint(100, 76));
    EXPECT_EQ(keypadPosition({100, 50, 261, 26}, keypad, screen, true), QPoint(241, 76));
    EXPECT_EQ(keypadPosition({-30, 50, 261, 26}, keypad, screen, false), QPoint(0, 76));
    EXPECT_EQ(keypadPosition({750, 50, 40, 26}, keypad, screen, false), QPoint(680, 76));
    // 502 + 26 + 72 = 600 still fits; one pixel lower it goes above the field.
    EXPECT_EQ(keypadPosition({10, 502, 261, 26}, keypad, screen, false), QPoint(10, 528));
    EXPECT_EQ(keypadPosition({10, 503, 261, 26}, keypad, screen, false), QPoint(10, 431));
}
