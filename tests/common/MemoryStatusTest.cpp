#include "common/MemoryStatus.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

using veskor::MemoryStatus;
using veskor::parseMemInfo;

// Head of /proc/meminfo of a 16 GB desktop (Linux 6.1).
constexpr const char* kDesktop = "MemTotal:       16318412 kB\n"
                                 "MemFree:         1834620 kB\n"
                                 "MemAvailable:   11235800 kB\n"
                                 "Buffers:          612044 kB\n"
                                 "Cached:          8652536 kB\n"
                                 "SwapCached:        10240 kB\n"
                                 "SwapTotal:       2097148 kB\n"
                                 "SwapFree:        2043900 kB\n"
                                 "HugePages_Total:       0\n"
                                 "Hugepagesize:       2048 kB\n";

TEST(ParseMemInfo, DesktopSample) {
    const MemoryStatus s = parseMemInfo(kDesktop);
    EXPECT_EQ(s.totalPhys, 16'710'053'888U);
    EXPECT_EQ(s.availPhys, 11'505'459'200U);
    EXPECT_EQ(s.totalPageFile, 2'147'479'552U);
    EXPECT_EQ(s.availPageFile, 2'092'953'600U);
    EXPECT_EQ(s.memoryLoad, 31U); // 5082612 of 16318412 kB used: 31.1 %
    EXPECT_EQ(s.totalVirtual, 0U);
    EXPECT_EQ(s.availVirtual, 0U);
}

TEST(ParseMemInfo, LargeMachineKeepsItsRealFigures) {
    const MemoryStatus s = parseMemInfo("MemTotal: 33554432 kB\n"
                                        "MemAvailable: 8388608 kB\n"
                                        "SwapTotal: 67108864 kB\n"
                                        "SwapFree: 67108864 kB\n");
    EXPECT_EQ(s.totalPhys, 34'359'738'368U); // 32 GiB, more than 32 bits hold
    EXPECT_EQ(s.availPhys, 8'589'934'592U);
    EXPECT_EQ(s.totalPageFile, 68'719'476'736U);
    EXPECT_EQ(s.memoryLoad, 75U);
}

TEST(ParseMemInfo, LoadRoundsToNearestPercent) {
    EXPECT_EQ(parseMemInfo("MemTotal: 1000 kB\nMemAvailable: 995 kB\n").memoryLoad, 1U);
    EXPECT_EQ(parseMemInfo("MemTotal: 1000 kB\nMemAvailable: 996 kB\n").memoryLoad, 0U);
    EXPECT_EQ(parseMemInfo("MemTotal: 200 kB\nMemAvailable: 1 kB\n").memoryLoad, 100U);
    EXPECT_EQ(parseMemInfo("MemTotal: 200 kB\nMemAvailable: 2 kB\n").memoryLoad, 99U);
    EXPECT_EQ(parseMemInfo("MemTotal: 1000 kB\nMemAvailable: 1000 kB\n").memoryLoad, 0U);
    // More available than total (a broken source) is a load of 0, not a wrap-around.
    EXPECT_EQ(parseMemInfo("MemTotal: 1000 kB\nMemAvailable: 5000 kB\n").memoryLoad, 0U);
}

TEST(ParseMemInfo, OlderKernelsWithoutMemAvailableUseMemFree) {
    const MemoryStatus s = parseMemInfo("MemTotal: 4000 kB\nMemFree: 1000 kB\n");
    EXPECT_EQ(s.availPhys, 1'024'000U);
    EXPECT_EQ(s.memoryLoad, 75U);
    // MemAvailable wins wherever it stands.
    EXPECT_EQ(parseMemInfo("MemFree: 1 kB\nMemTotal: 4 kB\nMemAvailable: 2 kB\n").availPhys, 2048U);
}

TEST(ParseMemInfo, MissingLinesLeaveZero) {
    const MemoryStatus empty = parseMemInfo("");
    EXPECT_EQ(empty.totalPhys, 0U);
    EXPECT_EQ(empty.availPhys, 0U);
    EXPECT_EQ(empty.memoryLoad, 0U);
    const MemoryStatus noSwap = parseMemInfo("MemTotal: 100 kB\nMemAvailable: 50 kB");
    EXPECT_EQ(noSwap.totalPageFile, 0U);
    EXPECT_EQ(noSwap.availPageFile, 0U);
    EXPECT_EQ(noSwap.availPhys, 51'200U); // last line without a newline still counts
    EXPECT_EQ(parseMemInfo("MemTotal: 100 kB\n").memoryLoad, 100U);
}

TEST(ParseMemInfo, GarbageIsIgnored) {
    const MemoryStatus s = parseMemInfo("MemTotal: lots kB\n"
                                        "MemAvailable: 12 MB\n"
                                        "SwapTotal: -5 kB\n"
                                        "SwapFree 100 kB\n"
                                        " MemFree: 7 kB\n"
                                        "MemTotalX: 9 kB\n"
                                        "\xFF\xFE:::\n");
    EXPECT_EQ(s.totalPhys, 0U);
    EXPECT_EQ(s.availPhys, 0U);
    EXPECT_EQ(s.totalPageFile, 0U);
    EXPECT_EQ(s.availPageFile, 0U);
    // A later good line still counts; the first good line of a key wins; CR LF is accepted.
    const MemoryStatus t = parseMemInfo("MemTotal: junk\r\nMemTotal:\t800 kB\r\n"
                                        "MemTotal: 900 kB\r\nMemAvailable: 200\r\n");
    EXPECT_EQ(t.totalPhys, 819'200U);
    EXPECT_EQ(t.availPhys, 204'800U);
    EXPECT_EQ(t.memoryLoad, 75U);
    const std::string withNul("MemTotal: 1\0 kB\nMemFree: 1 kB\n", 30);
    EXPECT_EQ(parseMemInfo(withNul).totalPhys, 0U);
    EXPECT_EQ(parseMemInfo(withNul).availPhys, 1024U);
}

TEST(ParseMemInfo, HugeNumbersSaturate) {
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    const MemoryStatus s = parseMemInfo("MemTotal: 99999999999999999999999999 kB\n"
                                        "MemAvailable: 18014398509481984 kB\n"
                                        "SwapTotal: 18014398509481983 kB\n");
    EXPECT_EQ(s.totalPhys, kMax);
    EXPECT_EQ(s.availPhys, kMax); // 2^54 kB is one kB past what 64-bit bytes hold
    EXPECT_EQ(s.totalPageFile, 18014398509481983ULL * 1024);
    EXPECT_EQ(s.memoryLoad, 0U);
    const MemoryStatus half = parseMemInfo("MemTotal: 18014398509481983 kB\n"
                                           "MemAvailable: 9007199254740991 kB\n");
    EXPECT_EQ(half.memoryLoad, 50U);
}

} // namespace
