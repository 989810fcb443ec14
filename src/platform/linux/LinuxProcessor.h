#pragma once
#include "platform/Processor.h"

namespace veskor {

// CPUID and the time-stamp counter on x86; nothing on other architectures.
class LinuxProcessor final : public IProcessor {
public:
    std::optional<CpuidRegisters> cpuid(std::uint32_t leaf) override;
    std::optional<std::uint64_t> timestampCounter() override;
    int processorCount() override;
    std::int64_t steadyMicroseconds() override;
};

} // namespace veskor
