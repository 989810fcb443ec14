// Always on top.

#include "bar/core/StayOnTop.h"

#include "platform/fake/FakeWindowState.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

TEST(StayOnTop, AppliesAtCreationAndOnChangesOnly) {
    FakeWindowState state;
    std::uintptr_t window = 0x2a;
    StayOnTop stayOnTop(state, [&] { return window; });
    ASSERT_EQ(state.calls.size(), 1U);
    EXPECT_TRUE(state.calls[0].stayOnTop);
    EXPECT_EQ(state.calls[0].window, 0x2aU);

    stayOnTop.setStayOnTop(true); // the current value: no platform call
    EXPECT_EQ(state.calls.size(), 1U);
    stayOnTop.setStayOnTop(false);
    ASSERT_EQ(state.calls.size(), 2U);
    EXPECT_FALSE(state.calls[1].stayOnTop);
    EXPECT_FALSE(stayOnTop.isStayOnTop());
    stayOnTop.setStayOnTop(false);
    EXPECT_EQ(state.calls.size(), 2U);

    window = 0x2b; // a re-created window gets the state again
    stayOnTop.apply();
    ASSERT_EQ(state.calls.size(), 3U);
    EXPECT_EQ(state.calls[2].window, 0x2bU);
    EXPECT_FALSE(state.calls[2].stayOnTop);
}

} // namespace
} // namespace veskor
