#include "sysinfo/core/CpuInfo.h"

#include "platform/fake/FakeProcessor.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace veskor {
namespace {

// Leaves 0 and 1 of a processor of the tables' time: no brand string.
FakeProcessor processor(const std::string& vendorId, int family, int model, int type = 0) {
    FakeProcessor fake;
    std::uint32_t words[3] = {};
    for (std::size_t i = 0; i < 12; ++i) {
        words[i / 4] |= static_cast<std::uint32_t>(static_cast<unsigned char>(vendorId[i]))
                        << (8 * (i % 4));
    }
    // The id's words stand in EBX, EDX, ECX; stepping 3 must not matter.
    fake.leaves[0] = {1, words[0], words[2], words[1]};
    fake.leaves[1] = {static_cast<std::uint32_t>(type << 12 | family << 8 | model << 4 | 3), 0, 0,
                      0};
    return fake;
}

struct Case {
    std::string id;
    int family, model, type;
    std::string vendor, cpu, fullName;
    bool mmx;
};

TEST(CpuInfo, NamesEachVendorByItsTable) {
    const Case cases[] = {
        {"GenuineIntel", 5, 4, 0, "Intel Corporation", "Pentium MMX", "Intel Pentium MMX", true},
        {"GenuineIntel", 6, 5, 0, "Intel Corporation", "", "Intel ", false},
        {"GenuineIntel", 5, 2, 1, "Intel Corporation", "Pentium (P54C) OverDrive",
         "Intel Pentium (P54C) OverDrive", false},
        {"AuthenticAMD", 4, 14, 0, "Advanced Micro Devices", "5x86", "AMD 5x86", false},
        {"AuthenticAMD", 5, 6, 0, "Advanced Micro Devices", "K6 MMX", "AMD K6 MMX", true},
        {"AuthenticAMD", 5, 4, 0, "Advanced Micro Devices", "", "AMD ", false},
        {"AuthenticAMD", 5, 0, 1, "Advanced Micro Devices", "K5 (Model 0)",
         "AMD K5 (Model 0) (OverDrive)", false},
        {"CyrixInstead", 6, 0, 0, "Cyrix Corporation", "6x86MX", "Cyrix 6x86MX", true},
        {"NexGenDriven", 5, 0, 0, "NexGen Inc", "Nx586", "NexGen Nx586", false},
        {"CentaurHauls", 5, 4, 0, "IDT/Centaur", "IDT C6 WinChip", "IDT/Centaur IDT C6 WinChip",
         false},
        {"UMC UMC UMC ", 4, 2, 0, "United Microelectronics Corporation", "U5S (486SX)",
         "UMC U5S (486SX)", false},
        {"umc umc umc ", 5, 2, 0, "Unknown Vendor", "586", "Unknown 586 class processor", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id + " " + std::to_string(c.family) + "/" + std::to_string(c.model));
        FakeProcessor fake = processor(c.id, c.family, c.model, c.type);
        const CpuInfo info(fake);
        EXPECT_EQ(info.vendor(), c.vendor);
        EXPECT_EQ(info.cpu(), c.cpu);
        EXPECT_EQ(info.fullName(), c.fullName);
        EXPECT_EQ(info.mmx(), c.mmx);
        EXPECT_EQ(info.overDrive(), c.type == 1);
    }
}

TEST(CpuInfo, ModernProcessorNamesItselfByItsBrandString) {
    std::ifstream file(std::string(VESKOR_TEST_DATA) + "/oxide-virtual.cpuid");
    ASSERT_TRUE(file);
    std::stringstream dump;
    dump << file.rdbuf();
    FakeProcessor fake = FakeProcessor::fromDump(dump.str());
    fake.count = 4;
    const CpuInfo info(fake);
    EXPECT_EQ(info.count(), 4);
    EXPECT_EQ(info.signature(), (CpuSignature{0, 15, 2}));
    // Trailing blanks and the NUL are padding.
    EXPECT_EQ(info.cpu(), "Oxide Virtual Turin-like Processor");
    EXPECT_EQ(info.fullName(), "AMD Oxide Virtual Turin-like Processor");
    EXPECT_TRUE(info.mmx()); // from its feature bits: every processor since the late 1990s has it
    // Some makers pad the name on the left instead.
    fake.leaves[0x80000002].eax = 0x20202020;
    EXPECT_EQ(CpuInfo(fake).cpu(), "e Virtual Turin-like Processor");
}

TEST(CpuInfo, WithoutCpuidOrCounterEverythingStaysEmpty) {
    FakeProcessor fake;
    fake.hasCounter = false;
    fake.count = 2;
    CpuInfo info(fake);
    EXPECT_EQ(info.count(), 2);
    EXPECT_EQ(cpuReport(info), "vendor\t\nname\t\nfullname\t\nmmx\tno\nspeed\t0 MHz\n");
    EXPECT_EQ(info.measureSpeed(), 0);
}

TEST(CpuInfo, MeasuresCyclesPerMicrosecond) {
    FakeProcessor fake = processor("GenuineIntel", 6, 3);
    fake.mhz = 265.6;
    fake.stepUs = 300'007; // the last reading overshoots the second
    CpuInfo info(fake);
    EXPECT_EQ(info.speed(), 0);
    EXPECT_EQ(info.measureSpeed(), 266);
    EXPECT_EQ(cpuReport(info), "vendor\tIntel Corporation\nname\tPentium 2\nfullname\tIntel "
                               "Pentium 2\nmmx\tyes\nspeed\t266 MHz\n");
}

TEST(CpuInfo, RoundsToTheNearestStandardSpeed) {
    const std::pair<double, int> cases[] = {
        {189, 180}, {150, 166}, {63, 60},   {62.6, 60}, {190, 180},     {283, 266}, // ties go down
        {1, 33},    {333, 333}, {349, 333}, {350, 350}, {3700.4, 3700}, {0, 0},     {-5, 0},
    };
    for (const auto& [mhz, speed] : cases) {
        EXPECT_EQ(roundToStandardSpeed(mhz), speed) << mhz;
    }
}

} // namespace
} // namespace veskor
