#include "sysinfo/core/CpuInfo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>

namespace veskor {

namespace {

struct ModelName {
    int family;
    int model;
    std::string_view name;
    bool mmx = false;
};

constexpr std::array kIntelModels{
    ModelName{4, 4, "80486SL"},           ModelName{4, 7, "80486DX2"},
    ModelName{4, 8, "80486DX4"},          ModelName{5, 1, "Pentium (P5)"},
    ModelName{5, 2, "Pentium (P54C)"},    ModelName{5, 3, "Pentium 486"},
    ModelName{5, 4, "Pentium MMX", true}, ModelName{6, 1, "Pentium Pro"},
    ModelName{6, 3, "Pentium 2", true},
};
constexpr std::array kAmdModels{
    ModelName{4, 3, "486DX2"},       ModelName{4, 7, "486DX4"},
    ModelName{4, 8, "5x86"},         ModelName{4, 14, "5x86"},
    ModelName{4, 15, "5x86"},        ModelName{5, 0, "K5 (Model 0)"},
    ModelName{5, 1, "K5 (Model 1)"}, ModelName{5, 2, "K5 (Model 2)"},
    ModelName{5, 3, "K5 (Model 3)"}, ModelName{5, 6, "K6 MMX", true},
};
constexpr std::array kCyrixModels{
    ModelName{4, 4, "Media GX"}, ModelName{4, 9, "Cx5x86"},       ModelName{5, 2, "Cx6x86"},
    ModelName{5, 4, "GX6"},      ModelName{6, 0, "6x86MX", true},
};
constexpr std::array kNexGenModels{ModelName{5, 0, "Nx586"}};
constexpr std::array kCentaurModels{ModelName{5, 4, "IDT C6 WinChip"}};
constexpr std::array kUmcModels{ModelName{4, 1, "U5D (486DX)"}, ModelName{4, 2, "U5S (486SX)"}};

struct Vendor {
    std::string_view id; // CPUID leaf 0
    std::string_view shortName;
    std::string_view name;
    std::span<const ModelName> models;
};

const std::array kVendors{
    Vendor{"GenuineIntel", "Intel", "Intel Corporation", kIntelModels},
    Vendor{"AuthenticAMD", "AMD", "Advanced Micro Devices", kAmdModels},
    Vendor{"CyrixInstead", "Cyrix", "Cyrix Corporation", kCyrixModels},
    Vendor{"NexGenDriven", "NexGen", "NexGen Inc", kNexGenModels},
    Vendor{"CentaurHauls", "IDT/Centaur", "IDT/Centaur", kCentaurModels},
    Vendor{"UMC UMC UMC ", "UMC", "United Microelectronics Corporation", kUmcModels},
};

constexpr std::array kStandardSpeeds{33,  60,  66,  75,  90,  100, 120, 133,
                                     166, 180, 200, 233, 266, 300, 333};

// Register bytes in memory order, lowest byte first.
void appendBytes(std::string& text, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        text += static_cast<char>((value >> shift) & 0xFFU);
    }
}

// Leaves 0x80000002-4, without the padding blanks and NULs around it; empty when absent.
std::string brandString(IProcessor& processor) {
    std::string brand;
    for (std::uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
        const std::optional<CpuidRegisters> r = processor.cpuid(leaf);
        if (!r) {
            return {};
        }
        for (const std::uint32_t value : {r->eax, r->ebx, r->ecx, r->edx}) {
            appendBytes(brand, value);
        }
    }
    brand = brand.substr(0, brand.find('\0'));
    const std::size_t first = brand.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return brand.substr(first, brand.find_last_not_of(' ') - first + 1);
}

} // namespace

CpuSignature decodeSignature(std::uint32_t eax) {
    return {static_cast<int>((eax >> 12) & 0x3U), static_cast<int>((eax >> 8) & 0xFU),
            static_cast<int>((eax >> 4) & 0xFU)};
}

int roundToStandardSpeed(double mhz) {
    if (!std::isfinite(mhz) || mhz <= 0) {
        return 0;
    }
    const long long rounded = std::llround(mhz);
    const int last = kStandardSpeeds.back();
    const int lastStep = last - kStandardSpeeds[kStandardSpeeds.size() - 2];
    // Far above the table lies a processor newer than it: say what was measured.
    if (2 * rounded > 2LL * last + lastStep) {
        return static_cast<int>(rounded);
    }
    int best = kStandardSpeeds.front();
    for (const int speed : kStandardSpeeds) {
        if (std::llabs(rounded - speed) < std::llabs(rounded - best)) {
            best = speed;
        }
    }
    return best;
}

CpuInfo::CpuInfo(IProcessor& processor) : m_processor(processor) {
    identify();
}

void CpuInfo::identify() {
    m_count = m_processor.processorCount();
    const std::optional<CpuidRegisters> leaf0 = m_processor.cpuid(0);
    const std::optional<CpuidRegisters> leaf1 = m_processor.cpuid(1);
    // Without CPUID (another architecture) there is nothing to name.
    if (!leaf0 || !leaf1) {
        return;
    }
    std::string id;
    for (const std::uint32_t value : {leaf0->ebx, leaf0->edx, leaf0->ecx}) {
        appendBytes(id, value);
    }
    m_signature = decodeSignature(leaf1->eax);
    m_overDrive = m_signature.type == 1;

    const auto* vendor = std::ranges::find(kVendors, id, &Vendor::id);
    if (vendor == kVendors.end()) {
        // The family stands in for the system's processor level: 4 is a 486, 5 a 586.
        m_shortVendor = "Unknown";
        m_vendor = "Unknown Vendor";
        m_cpu = std::to_string(m_signature.family * 100 + 86);
        m_fullName = "Unknown " + m_cpu + " class processor";
        return;
    }
    m_shortVendor = vendor->shortName;
    m_vendor = vendor->name;
    for (const ModelName& entry : vendor->models) {
        if (entry.family == m_signature.family && entry.model == m_signature.model) {
            m_cpu = entry.name;
            m_mmx = entry.mmx;
        }
    }
    // Every processor after the tables' time names itself, and says itself whether it has the
    // multimedia extension (feature bit 23 of leaf 1).
    if (m_cpu.empty()) {
        m_cpu = brandString(m_processor);
        m_mmx = !m_cpu.empty() && (leaf1->edx & (1U << 23)) != 0;
    }
    const bool namesOverDrive = vendor->id == "GenuineIntel" && m_overDrive;
    if (namesOverDrive) {
        m_cpu += " OverDrive";
    }
    m_fullName = m_shortVendor + " " + m_cpu;
    if (m_overDrive && !namesOverDrive) {
        m_fullName += " (OverDrive)";
    }
}

int CpuInfo::measureSpeed() {
    constexpr std::int64_t kWindowUs = 1'000'000;
    m_speed = 0;
    const std::int64_t t0 = m_processor.steadyMicroseconds();
    const std::optional<std::uint64_t> c0 = m_processor.timestampCounter();
    if (!c0) {
        return m_speed;
    }
    std::int64_t t1 = t0;
    while (t1 - t0 < kWindowUs) {
        t1 = m_processor.steadyMicroseconds();
    }
    const std::optional<std::uint64_t> c1 = m_processor.timestampCounter();
    if (c1 && *c1 > *c0) {
        // Cycles per microsecond are MHz; dividing by the real span absorbs the last poll.
        m_speed =
            roundToStandardSpeed(static_cast<double>(*c1 - *c0) / static_cast<double>(t1 - t0));
    }
    return m_speed;
}

std::string cpuReport(const CpuInfo& info) {
    return "vendor\t" + info.vendor() + "\nname\t" + info.cpu() + "\nfullname\t" + info.fullName() +
           "\nmmx\t" + (info.mmx() ? "yes" : "no") + "\nspeed\t" + std::to_string(info.speed()) +
           " MHz\n";
}

} // namespace veskor
