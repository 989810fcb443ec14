// The scope's stored options and its step period.

#include "scope/core/ScopeSettings.h"

#include "platform/fake/FakeSettingsStore.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace veskor;

namespace {

// What the bar reads back at its next start.
ScopeSettings readBack(FakeSettingsStore& store) {
    SettingValues values;
    std::vector<std::string> errors;
    readSettingKeys(store, scopeSettingKeys(), values, errors);
    EXPECT_TRUE(errors.empty());
    return scopeSettingsOf(values);
}

} // namespace

TEST(ScopeSettings, WhatIsSavedIsWhatTheBarReadsAtItsNextStart) {
    FakeSettingsStore store;
    EXPECT_EQ(readBack(store), (ScopeSettings{false, false, false, 1000}));
    store.values["Top"] = 40;
    for (const ScopeSettings saved :
         {ScopeSettings{true, false, true, 2500}, ScopeSettings{false, true, false, 10}}) {
        ASSERT_TRUE(writeScopeSettings(store, saved));
        EXPECT_EQ(readBack(store), saved);
    }
    // The bar's own values are not the scope's to change.
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("Top")), 40);
    EXPECT_EQ(store.values.count("Left"), 0U);
    // A stored interval below the minimum starts at it.
    store.values["Scan"] = -3000;
    EXPECT_EQ(readBack(store).intervalMs, kMinIntervalMs);
    store.failWrites = true;
    EXPECT_FALSE(writeScopeSettings(store, {}));
}

TEST(ScopeSettings, StepPeriodIsTheRoundedIntervalInTensOfMilliseconds) {
    EXPECT_EQ(intervalTicksOf(1000), 100);
    EXPECT_EQ(intervalTicksOf(1009), 100); // div, not round
    EXPECT_EQ(intervalTicksOf(19.5), 2);   // round(19.5) = 20
    EXPECT_EQ(intervalTicksOf(18.5), 1);   // round(18.5) = 18
    // Below 10 ms the period would be 0: a running scope that never moves.
    EXPECT_EQ(intervalTicksOf(9), 1);
    EXPECT_EQ(intervalTicksOf(-2000), 1);
    EXPECT_EQ(intervalTicksOf(std::nan("")), 1);
    EXPECT_EQ(intervalTicksOf(1e12), std::numeric_limits<int>::max() / 10);
}
