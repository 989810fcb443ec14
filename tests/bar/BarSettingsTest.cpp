// Reading and writing the bar's stored options.

#include "bar/core/BarSettings.h"

#include "platform/fake/FakeSettingsStore.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

TEST(BarSettings, FirstRunCreatesTheKeyAndKeepsEveryDefault) {
    FakeSettingsStore store;
    TBarSettings s;
    const SettingsReadResult result = ReadBarSettings(store, s);
    EXPECT_TRUE(result.keyAvailable);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(store.keyExists);
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(s.Top, 0);
    EXPECT_FALSE(s.Left.has_value());
    EXPECT_TRUE(s.StayOnTop);
    EXPECT_FALSE(s.Memory);
    EXPECT_FALSE(s.MemoryScan);
    EXPECT_FALSE(s.PMScan);
    EXPECT_FALSE(s.PFScan);
    EXPECT_EQ(s.Scan, 1000);
}

TEST(BarSettings, EveryStoredValueIsAppliedWithoutWritingBack) {
    FakeSettingsStore store;
    store.values = {{"Top", 300},      {"Left", -40}, {"StayOnTop", 0}, {"Memory", 7},
                    {"MemoryScan", 1}, {"PMScan", 1}, {"PFScan", -1},   {"Scan", 2500}};
    const auto before = store.values;
    TBarSettings s;
    ReadBarSettings(store, s);
    EXPECT_EQ(s.Top, 300);
    EXPECT_EQ(s.Left, -40);
    EXPECT_FALSE(s.StayOnTop);
    EXPECT_TRUE(s.Memory); // any nonzero value is true
    EXPECT_TRUE(s.MemoryScan);
    EXPECT_TRUE(s.PMScan);
    EXPECT_TRUE(s.PFScan);
    EXPECT_EQ(s.Scan, 2500);
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(store.values, before);
}

TEST(BarSettings, WrongTypedValueKeepsItsDefaultAndTheRestIsStillRead) {
    FakeSettingsStore store;
    store.values = {{"Top", 50},
                    {"StayOnTop", std::string("yes")},
                    {"Memory", 1},
                    {"Scan", std::string("fast")}};
    TBarSettings s;
    const SettingsReadResult result = ReadBarSettings(store, s);
    ASSERT_EQ(result.errors.size(), 2U);
    EXPECT_EQ(result.errors[0], "Invalid data type for 'StayOnTop'");
    EXPECT_EQ(result.errors[1], "Invalid data type for 'Scan'");
    EXPECT_EQ(s.Top, 50);
    EXPECT_TRUE(s.StayOnTop);
    EXPECT_TRUE(s.Memory);
    EXPECT_EQ(s.Scan, 1000);
}

TEST(BarSettings, KeyThatCannotBeCreatedLeavesDefaults) {
    FakeSettingsStore store;
    store.failKey = true;
    TBarSettings s;
    EXPECT_FALSE(ReadBarSettings(store, s).keyAvailable);
    EXPECT_EQ(s.Scan, 1000);
    EXPECT_EQ(store.reads, 0);
}

TEST(BarSettings, WriteStoresAllEightValuesAndReadsBackTheSame) {
    FakeSettingsStore store;
    TBarSettings s;
    s.Top = 12;
    s.Left = 700;
    s.StayOnTop = false;
    s.Memory = true;
    s.PFScan = true;
    s.Scan = 250;
    ASSERT_TRUE(WriteBarSettings(store, s));
    EXPECT_EQ(store.values.size(), 8U);
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("StayOnTop")), 0);
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("Memory")), 1);

    TBarSettings back;
    ReadBarSettings(store, back);
    EXPECT_EQ(back.Top, 12);
    EXPECT_EQ(back.Left, 700);
    EXPECT_FALSE(back.StayOnTop);
    EXPECT_TRUE(back.Memory);
    EXPECT_FALSE(back.PMScan);
    EXPECT_TRUE(back.PFScan);
    EXPECT_EQ(back.Scan, 250);

    store.failWrites = true;
    EXPECT_FALSE(WriteBarSettings(store, s));
}

} // namespace
} // namespace veskor
