// Stacking of the bar's strips and the window height that follows them.

#include "bar/core/StripStack.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

using Strip = StripStack::Strip;

// The bar's own figures: the date row, the memory row and the four side panels.
struct BarStrips {
    StripStack stack{21};
    Strip dateTime = 0;
    Strip memory = stack.add(21, 21);
    Strip calendar = stack.add(264, 41);
    Strip systemInfo = stack.add(229, 208);
    Strip calculator = stack.add(73, 212);
    Strip scope = stack.add(191, 354);
};

TEST(StripStack, StartsWithTheDateRowOnly) {
    const BarStrips b;
    EXPECT_EQ(b.stack.windowHeight(), 21);
    EXPECT_EQ(b.stack.order(), std::vector<Strip>{b.dateTime});
    for (Strip s : {b.memory, b.calendar, b.systemInfo, b.calculator, b.scope}) {
        EXPECT_FALSE(b.stack.isVisible(s));
    }
}

TEST(StripStack, EachStripOpenedAndClosedReturnsTheWindowToItsHeight) {
    const BarStrips figures;
    for (const Strip strip : {figures.memory, figures.calendar, figures.systemInfo,
                              figures.calculator, figures.scope}) {
        const int height = figures.stack.height(strip);
        BarStrips b;
        b.stack.show(b.calendar == strip ? b.scope : b.calendar); // something else open too
        const int before = b.stack.windowHeight();
        EXPECT_TRUE(b.stack.toggle(strip));
        EXPECT_EQ(b.stack.windowHeight(), before + height);
        EXPECT_FALSE(b.stack.toggle(strip));
        EXPECT_EQ(b.stack.windowHeight(), before);
    }
}

TEST(StripStack, EverythingOpenIs799High) {
    BarStrips b;
    for (Strip s : {b.scope, b.memory, b.calculator, b.calendar, b.systemInfo}) {
        b.stack.show(s);
    }
    EXPECT_EQ(b.stack.windowHeight(), 799);
    // Strips follow each other without gaps or overlaps.
    int top = 0;
    for (Strip s : b.stack.order()) {
        EXPECT_EQ(b.stack.top(s), top);
        top += b.stack.height(s);
    }
    EXPECT_EQ(top, 799);
}

TEST(StripStack, APanelGoesBelowTheStripsThatStandHigherThanItsLastTop) {
    BarStrips b;
    b.stack.show(b.calendar);   // first ever top 41: below the date row
    b.stack.show(b.systemInfo); // 208: below the calendar, which now stands at 21
    EXPECT_EQ(b.stack.order(), (std::vector<Strip>{b.dateTime, b.calendar, b.systemInfo}));
    EXPECT_EQ(b.stack.top(b.systemInfo), 285);
    b.stack.show(b.calculator); // 212: above the system information panel at 285
    EXPECT_EQ(b.stack.order(),
              (std::vector<Strip>{b.dateTime, b.calendar, b.calculator, b.systemInfo}));
    EXPECT_EQ(b.stack.top(b.calculator), 285);
    EXPECT_EQ(b.stack.top(b.systemInfo), 358);
    // The memory row's top (21) puts it straight below the date row.
    b.stack.show(b.memory);
    EXPECT_EQ(b.stack.order().at(1), b.memory);
    EXPECT_EQ(b.stack.top(b.calendar), 42);
}

TEST(StripStack, AHiddenPanelKeepsTheTopItLastHad) {
    BarStrips b;
    b.stack.show(b.scope);    // 354 -> 21
    b.stack.show(b.calendar); // 41: below the scope at 21, so at 212
    EXPECT_EQ(b.stack.top(b.calendar), 212);
    b.stack.hide(b.calendar);
    EXPECT_EQ(b.stack.top(b.calendar), 212);
    b.stack.hide(b.scope);    // kept at 21
    b.stack.show(b.calendar); // 212 with nothing else open: right below the date row
    b.stack.show(b.scope);    // 21 is not below the calendar's 21: it goes above it
    EXPECT_EQ(b.stack.order(), (std::vector<Strip>{b.dateTime, b.scope, b.calendar}));
    // Strips below a hidden one move up.
    b.stack.hide(b.scope);
    EXPECT_EQ(b.stack.top(b.calendar), 21);
    EXPECT_EQ(b.stack.windowHeight(), 285);
}

TEST(StripStack, TheDateRowCannotBeHiddenAndRepeatsChangeNothing) {
    BarStrips b;
    b.stack.hide(b.dateTime);
    EXPECT_TRUE(b.stack.isVisible(b.dateTime));
    b.stack.show(b.memory);
    b.stack.show(b.memory);
    EXPECT_EQ(b.stack.windowHeight(), 42);
    b.stack.hide(b.calendar);
    EXPECT_EQ(b.stack.windowHeight(), 42);
}

} // namespace
} // namespace veskor
