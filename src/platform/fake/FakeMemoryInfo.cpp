#include "platform/fake/FakeMemoryInfo.h"

namespace veskor {

void FakeMemoryInfo::setFiguresKb(std::uint64_t totalKb, std::uint64_t availKb,
                                  std::uint64_t swapTotalKb, std::uint64_t swapFreeKb) {
    text = "MemTotal:       " + std::to_string(totalKb) + " kB\n" +
           "MemFree:        " + std::to_string(availKb / 2) + " kB\n" +
           "MemAvailable:   " + std::to_string(availKb) + " kB\n" + "Buffers:           1024 kB\n" +
           "SwapTotal:      " + std::to_string(swapTotalKb) + " kB\n" +
           "SwapFree:       " + std::to_string(swapFreeKb) + " kB\n";
}

} // namespace veskor
