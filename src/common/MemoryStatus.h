#pragma once
// The memory status record: load in percent and byte counts, 64-bit so that large machines
// show their real figures.

#include <cstdint>
#include <string_view>

namespace veskor {

struct MemoryStatus {
    std::uint32_t memoryLoad = 0;    // percent of physical memory in use, 0 to 100
    std::uint64_t totalPhys = 0;     // bytes
    std::uint64_t availPhys = 0;     // bytes
    std::uint64_t totalPageFile = 0; // swap, bytes
    std::uint64_t availPageFile = 0; // free swap, bytes
    std::uint64_t totalVirtual = 0;  // user address space, bytes
    std::uint64_t availVirtual = 0;  // user address space not yet reserved, bytes
};

// Decodes the text of /proc/meminfo (MemTotal, MemAvailable, SwapTotal, SwapFree; kB units).
// Missing lines leave their fields 0; MemAvailable falls back to MemFree (kernels before 3.14).
// The load is the used share of RAM, rounded to the nearest percent. The address-space fields
// are not in meminfo and stay 0 here.
MemoryStatus parseMemInfo(std::string_view meminfo);

} // namespace veskor
