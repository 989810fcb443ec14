// A week of the clock's ticks against an alarm for every minute of the day: ticks a second
// apart with ±400 ms of jitter, and suspends of minutes and hours. Every minute the clock ran
// in sounds once, in order; no minute sounds twice; none slept through sounds on waking.

#include "alarms/core/AlarmList.h"
#include "common/DateUtils.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace veskor {
namespace {

TEST(AlarmWeek, EveryRunningMinuteSoundsOnceAndNoSleptMinuteSounds) {
    AlarmList list;
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute = 0; minute < 60; ++minute) {
            list.append({formatAlarmTime(hour, minute), "m", true, 0});
        }
    }
    // Suspends after these tick counts: one just over a minute, a few minutes, hours, and one
    // across midnight.
    const std::map<int, double> suspends{{3'000, 61.0},         {90'000, 7 * 60.0},
                                         {200'000, 3 * 3600.0}, {300'000, 50 * 60.0},
                                         {420'000, 9.5 * 3600}, {500'000, 75.0}};

    const DateTime start = encodeDate(2026, 12, 7) + 0.3 / 86400.0;
    // The clock reads whole milliseconds, so 14:59:59.9996 is already 15:00.
    const auto minuteOf = [start](DateTime t) {
        return std::llround((t - std::floor(start)) * 86'400'000.0) / 60'000;
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<double> jitter(-0.4, 0.4);
    AlarmMinutes minutes;
    std::map<std::int64_t, int> ticked;  // minutes the clock ticked in
    std::map<std::int64_t, int> sounded; // minutes whose alarm sounded, and how often
    std::int64_t lastSounded = -1;
    double seconds = 0;
    for (int tick = 0; seconds < 7 * 86400.0; ++tick) {
        const auto gap = suspends.find(tick);
        seconds += gap != suspends.end() ? gap->second : 1.0 + jitter(random);
        const DateTime now = start + seconds / 86400.0;
        ++ticked[minuteOf(now)];
        const std::optional<DateTime> check = minutes.minuteToCheck(now);
        if (!check) {
            continue;
        }
        const int index = list.findEvent(*check);
        ASSERT_GE(index, 0);
        // The minute checked is the tick's own: never one from before a suspend.
        const std::int64_t minute = minuteOf(now);
        EXPECT_EQ(list.at(index).time, formatAlarmTime(static_cast<int>(minute / 60 % 24),
                                                       static_cast<int>(minute % 60)));
        EXPECT_GT(minute, lastSounded);
        lastSounded = minute;
        ++sounded[minute];
    }
    // Only a tick at second 0 checks at start: the first minute stays quiet.
    ticked.erase(ticked.begin());
    EXPECT_EQ(sounded.size(), ticked.size());
    for (const auto& [minute, count] : ticked) {
        EXPECT_EQ(sounded[minute], 1) << "minute " << minute;
    }
}

} // namespace
} // namespace veskor
