// Always on top.

#include "bar/core/TopMost.h"

#include "platform/fake/FakeWindowState.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

TEST(TopMost, AppliesAtCreationAndOnChangesOnly) {
    FakeWindowState state;
    std::uintptr_t window = 0x2a;
    TopMost topMost(state, [&] { return window; });
    ASSERT_EQ(state.calls.size(), 1U);
    EXPECT_TRUE(state.calls[0].onTop);
    EXPECT_EQ(state.calls[0].window, 0x2aU);

    topMost.setTopMost(true); // the current value: no platform call
    EXPECT_EQ(state.calls.size(), 1U);
    topMost.setTopMost(false);
    ASSERT_EQ(state.calls.size(), 2U);
    EXPECT_FALSE(state.calls[1].onTop);
    EXPECT_FALSE(topMost.isTopMost());
    topMost.setTopMost(false);
    EXPECT_EQ(state.calls.size(), 2U);

    window = 0x2b; // a re-created window gets the state again
    topMost.apply();
    ASSERT_EQ(state.calls.size(), 3U);
    EXPECT_EQ(state.calls[2].window, 0x2bU);
    EXPECT_FALSE(state.calls[2].onTop);
}

} // namespace
} // namespace veskor
