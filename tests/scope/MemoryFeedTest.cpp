// What a tick gives the scope: figures in KB and the trace boxes' captions.

#include "scope/core/MemoryFeed.h"

#include "platform/fake/FakeMemoryInfo.h"

#include <gtest/gtest.h>

using namespace veskor;

TEST(MemoryFeed, RunningScopeGetsKilobytesAboveFourGiB) {
    constexpr std::uint64_t kGiB = 1024 * 1024; // in KB
    FakeMemoryInfo info;
    info.setFiguresKb(6 * kGiB, 6 * kGiB / 4, 8 * kGiB, 3 * kGiB);
    const auto feed = memoryFeed({true, true, true, 1000}, parseMemInfo(info.readMemInfo()), ",");
    ASSERT_TRUE(feed);
    EXPECT_EQ(feed->physical, (TraceSample{1572864, 6291456}));
    EXPECT_EQ(feed->swap, (TraceSample{3145728, 8388608}));
    EXPECT_EQ(feed->swapCaption, "3,145,728 KB of 8,388,608 KB");
}

TEST(MemoryFeed, CaptionsAndTracesThatAreOff) {
    MemoryStatus memory;
    memory.availPhys = 6752 * 1024 + 1023;
    memory.totalPhys = 64696 * 1024;
    const auto physicalOnly = memoryFeed({true, true, false, 1000}, memory, ".");
    ASSERT_TRUE(physicalOnly);
    EXPECT_EQ(physicalOnly->physicalCaption, "6.752 KB of 64.696 KB");
    EXPECT_FALSE(physicalOnly->swap);
    EXPECT_EQ(physicalOnly->swapCaption, "<not active>");

    // A stopped scope is not fed, whatever the memory status.
    const auto stopped = memoryFeed({false, true, true, 1000}, memory, ",");
    ASSERT_TRUE(stopped);
    EXPECT_FALSE(stopped->physical || stopped->swap);
    EXPECT_EQ(stopped->physicalCaption, "<not active>");
    EXPECT_EQ(stopped->swapCaption, "<not active>");
    // A running one without a memory status keeps what it has.
    EXPECT_FALSE(memoryFeed({true, true, true, 1000}, std::nullopt, ","));
}
