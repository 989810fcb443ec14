#pragma once
// Names the processor from its CPUID registers and measures its clock with the time-stamp counter.

#include "platform/Processor.h"

#include <cstdint>
#include <string>

namespace veskor {

// Fields of the signature (CPUID leaf 1, EAX); the extended family and model bits are not used.
struct CpuSignature {
    int type = 0;   // bits 12-13: 0 original, 1 OverDrive
    int family = 0; // bits 8-11
    int model = 0;  // bits 4-7

    bool operator==(const CpuSignature&) const = default;
};
CpuSignature decodeSignature(std::uint32_t eax);

// The nearest of the standard speeds 33 ... 333 MHz, ties going to the lower one; a speed more
// than half the last step above 333 is returned as measured, to the nearest MHz. 0 for no speed.
int roundToStandardSpeed(double mhz);

// Identifies the processor once, when built; the speed is 0 until measured.
class CpuInfo final {
public:
    explicit CpuInfo(IProcessor& processor);

    [[nodiscard]] int count() const { return m_count; }
    [[nodiscard]] const std::string& cpu() const { return m_cpu; } // the model's name
    [[nodiscard]] const std::string& fullName() const { return m_fullName; }
    [[nodiscard]] const std::string& vendor() const { return m_vendor; }
    [[nodiscard]] const std::string& shortVendor() const { return m_shortVendor; }
    [[nodiscard]] bool mmx() const { return m_mmx; }
    [[nodiscard]] bool overDrive() const { return m_overDrive; }
    [[nodiscard]] const CpuSignature& signature() const { return m_signature; }
    [[nodiscard]] int speed() const { return m_speed; }

    // Counts cycles over about one second of busy waiting and keeps the standard speed;
    // 0 without a time-stamp counter. Returns the new speed.
    int measureSpeed();

private:
    void identify();

    IProcessor& m_processor;
    int m_count = 0;
    std::string m_cpu;
    std::string m_fullName;
    std::string m_vendor;
    std::string m_shortVendor;
    bool m_mmx = false;
    bool m_overDrive = false;
    CpuSignature m_signature;
    int m_speed = 0;
};

// "vendor", "name", "fullname", "mmx" (yes|no) and "speed" ("N MHz"): one tab-separated line each.
std::string cpuReport(const CpuInfo& info);

} // namespace veskor
