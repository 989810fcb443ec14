#pragma once
#include <cstdint>
#include <optional>

namespace veskor {

// The four registers one CPUID leaf returns.
struct CpuidRegisters {
    std::uint32_t eax = 0;
    std::uint32_t ebx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t edx = 0;

    bool operator==(const CpuidRegisters&) const = default;
};

// Raw processor facts; naming the processor is CpuInfo's job.
class IProcessor {
public:
    virtual ~IProcessor() = default;
    // The registers of a CPUID leaf; nullopt without CPUID or past the range's highest leaf.
    virtual std::optional<CpuidRegisters> cpuid(std::uint32_t leaf) = 0;
    // The time-stamp counter in cycles; nullopt when the processor has none.
    virtual std::optional<std::uint64_t> timestampCounter() = 0;
    // Processors online, at least 1.
    virtual int processorCount() = 0;
    // A steady clock in microseconds, for timing the counter.
    virtual std::int64_t steadyMicroseconds() = 0;
};

} // namespace veskor
