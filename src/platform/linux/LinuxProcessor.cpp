#include "platform/linux/LinuxProcessor.h"

#include <chrono>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define VESKOR_X86 1
#endif

namespace veskor {

std::optional<CpuidRegisters> LinuxProcessor::cpuid(std::uint32_t leaf) {
#ifdef VESKOR_X86
    // __get_cpuid checks the range's highest leaf (0 or 0x80000000) and CPUID's presence.
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    if (__get_cpuid(leaf, &eax, &ebx, &ecx, &edx) == 0) {
        return std::nullopt;
    }
    return CpuidRegisters{eax, ebx, ecx, edx};
#else
    (void)leaf;
    return std::nullopt;
#endif
}

std::optional<std::uint64_t> LinuxProcessor::timestampCounter() {
#ifdef VESKOR_X86
    constexpr unsigned kTscFlag = 1U << 4; // leaf 1, EDX
    const std::optional<CpuidRegisters> features = cpuid(1);
    if (!features || (features->edx & kTscFlag) == 0) {
        return std::nullopt;
    }
    return __rdtsc();
#else
    return std::nullopt;
#endif
}

int LinuxProcessor::processorCount() {
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count < 1 ? 1 : static_cast<int>(count);
}

std::int64_t LinuxProcessor::steadyMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace veskor
