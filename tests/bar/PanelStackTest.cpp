// Stacking of the bar's strips and the window height that follows them.

#include "bar/core/PanelStack.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

using S = Strip;

TEST(PanelStack, StartsWithTheDateRowOnly) {
    const TPanelStack stack;
    EXPECT_EQ(stack.WindowHeight(), 21);
    EXPECT_EQ(stack.Order(), std::vector<Strip>{S::DateTime});
    for (S s : {S::Memory, S::Calendar, S::SystemInfo, S::Calculator, S::Scope}) {
        EXPECT_FALSE(stack.IsVisible(s));
    }
}

TEST(PanelStack, EachStripOpenedAndClosedReturnsTheWindowToItsHeight) {
    const std::pair<S, int> heights[] = {{S::Memory, 21},
                                         {S::Calendar, 264},
                                         {S::SystemInfo, 229},
                                         {S::Calculator, 73},
                                         {S::Scope, 191}};
    for (const auto& [strip, height] : heights) {
        TPanelStack stack;
        stack.Show(S::Calendar == strip ? S::Scope : S::Calendar); // something else open too
        const int before = stack.WindowHeight();
        EXPECT_TRUE(stack.Toggle(strip));
        EXPECT_EQ(stack.WindowHeight(), before + height);
        EXPECT_FALSE(stack.Toggle(strip));
        EXPECT_EQ(stack.WindowHeight(), before);
    }
}

TEST(PanelStack, EverythingOpenIs799High) {
    TPanelStack stack;
    for (S s : {S::Scope, S::Memory, S::Calculator, S::Calendar, S::SystemInfo}) {
        stack.Show(s);
    }
    EXPECT_EQ(stack.WindowHeight(), 799);
    // Strips follow each other without gaps or overlaps.
    int top = 0;
    for (S s : stack.Order()) {
        EXPECT_EQ(stack.Top(s), top);
        top += stack.Height(s);
    }
    EXPECT_EQ(top, 799);
}

TEST(PanelStack, APanelGoesBelowTheStripsThatStandHigherThanItsLastTop) {
    TPanelStack stack;
    stack.Show(S::Calendar);   // first ever top 41: below the date row
    stack.Show(S::SystemInfo); // 208: below the calendar, which now stands at 21
    EXPECT_EQ(stack.Order(), (std::vector<Strip>{S::DateTime, S::Calendar, S::SystemInfo}));
    EXPECT_EQ(stack.Top(S::SystemInfo), 285);
    stack.Show(S::Calculator); // 212: above the system information panel at 285
    EXPECT_EQ(stack.Order(),
              (std::vector<Strip>{S::DateTime, S::Calendar, S::Calculator, S::SystemInfo}));
    EXPECT_EQ(stack.Top(S::Calculator), 285);
    EXPECT_EQ(stack.Top(S::SystemInfo), 358);
    // The memory row's top (21) puts it straight below the date row.
    stack.Show(S::Memory);
    EXPECT_EQ(stack.Order().at(1), S::Memory);
    EXPECT_EQ(stack.Top(S::Calendar), 42);
}

TEST(PanelStack, AHiddenPanelKeepsTheTopItLastHad) {
    TPanelStack stack;
    stack.Show(S::Scope);    // 354 -> 21
    stack.Show(S::Calendar); // 41: below the scope at 21, so at 212
    EXPECT_EQ(stack.Top(S::Calendar), 212);
    stack.Hide(S::Calendar);
    EXPECT_EQ(stack.Top(S::Calendar), 212);
    stack.Hide(S::Scope);    // kept at 21
    stack.Show(S::Calendar); // 212 with nothing else open: right below the date row
    stack.Show(S::Scope);    // 21 is not below the calendar's 21: it goes above it
    EXPECT_EQ(stack.Order(), (std::vector<Strip>{S::DateTime, S::Scope, S::Calendar}));
    // Strips below a hidden one move up.
    stack.Hide(S::Scope);
    EXPECT_EQ(stack.Top(S::Calendar), 21);
    EXPECT_EQ(stack.WindowHeight(), 285);
}

TEST(PanelStack, TheDateRowCannotBeHiddenAndRepeatsChangeNothing) {
    TPanelStack stack;
    stack.Hide(S::DateTime);
    EXPECT_TRUE(stack.IsVisible(S::DateTime));
    stack.Show(S::Memory);
    stack.Show(S::Memory);
    EXPECT_EQ(stack.WindowHeight(), 42);
    stack.Hide(S::Calendar);
    EXPECT_EQ(stack.WindowHeight(), 42);
}

} // namespace
} // namespace veskor
