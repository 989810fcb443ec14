// Reading and writing the bar's stored options.

#include "bar/core/BarSettings.h"

#include "platform/fake/FakeSettingsStore.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

TEST(BarSettings, FirstRunCreatesTheKeyAndKeepsEveryDefault) {
    FakeSettingsStore store;
    BarSettings s;
    const SettingsReadResult result = readBarSettings(store, s);
    EXPECT_TRUE(result.keyAvailable);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(store.keyExists);
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(s.top, 0);
    EXPECT_FALSE(s.left.has_value());
    EXPECT_TRUE(s.stayOnTop);
    EXPECT_FALSE(s.memoryRow);
}

// A feature's values, read in the same pass after the bar's own.
const std::vector<SettingKey> kFeatureKeys{{"MemoryScan", 0}, {"Scan", 1000}};

TEST(BarSettings, EveryStoredValueIsAppliedWithoutWritingBack) {
    FakeSettingsStore store;
    store.values = {{"Top", 300},      {"Left", -40}, {"StayOnTop", 0}, {"Memory", 7},
                    {"MemoryScan", 1}, {"PMScan", 1}, {"PFScan", -1},   {"Scan", 2500}};
    const auto before = store.values;
    BarSettings s;
    SettingValues features;
    readBarSettings(store, s, kFeatureKeys, &features);
    EXPECT_EQ(s.top, 300);
    EXPECT_EQ(s.left, -40);
    EXPECT_FALSE(s.stayOnTop);
    EXPECT_TRUE(s.memoryRow); // any nonzero value is true
    EXPECT_EQ(features, (SettingValues{{"MemoryScan", 1}, {"Scan", 2500}}));
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(store.values, before);
}

TEST(BarSettings, WrongTypedValueKeepsItsDefaultAndTheRestIsStillRead) {
    FakeSettingsStore store;
    store.values = {{"Top", 50},
                    {"StayOnTop", std::string("yes")},
                    {"Memory", 1},
                    {"Scan", std::string("fast")}};
    BarSettings s;
    SettingValues features;
    const SettingsReadResult result = readBarSettings(store, s, kFeatureKeys, &features);
    ASSERT_EQ(result.errors.size(), 2U);
    EXPECT_EQ(result.errors[0], "Invalid data type for 'StayOnTop'");
    EXPECT_EQ(result.errors[1], "Invalid data type for 'Scan'");
    EXPECT_EQ(s.top, 50);
    EXPECT_TRUE(s.stayOnTop);
    EXPECT_TRUE(s.memoryRow);
    EXPECT_EQ(features.at("Scan"), 1000);
}

TEST(BarSettings, KeyThatCannotBeCreatedLeavesDefaults) {
    FakeSettingsStore store;
    store.failKey = true;
    BarSettings s;
    EXPECT_FALSE(readBarSettings(store, s, kFeatureKeys).keyAvailable);
    EXPECT_TRUE(s.stayOnTop);
    EXPECT_EQ(store.reads, 0);
}

TEST(BarSettings, WriteStoresTheBarsFourValuesAndLeavesTheFeaturesAlone) {
    FakeSettingsStore store;
    // Saved by a feature after the bar read its settings: the bar's save must not undo it.
    store.values = {{"MemoryScan", 0}, {"Scan", 250}};
    BarSettings s;
    s.top = 12;
    s.left = 700;
    s.stayOnTop = false;
    s.memoryRow = true;
    ASSERT_TRUE(writeBarSettings(store, s));
    EXPECT_EQ(store.values.size(), 6U);
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("StayOnTop")), 0);
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("Memory")), 1);

    BarSettings back;
    SettingValues features;
    readBarSettings(store, back, kFeatureKeys, &features);
    EXPECT_EQ(back.top, 12);
    EXPECT_EQ(back.left, 700);
    EXPECT_FALSE(back.stayOnTop);
    EXPECT_TRUE(back.memoryRow);
    EXPECT_EQ(features, (SettingValues{{"MemoryScan", 0}, {"Scan", 250}}));

    store.failWrites = true;
    EXPECT_FALSE(writeBarSettings(store, s));
}

} // namespace
} // namespace veskor
