#pragma once
#include "platform/MemoryInfo.h"

#include <cstdint>

namespace veskor {

// Serves a meminfo text built from figures in kB, and counts how often it was asked.
class FakeMemoryInfo final : public IMemoryInfo {
public:
    std::string readMemInfo() override {
        ++reads;
        return text;
    }
    void setFiguresKb(std::uint64_t totalKb, std::uint64_t availKb, std::uint64_t swapTotalKb,
                      std::uint64_t swapFreeKb);

    std::string text;
    int reads = 0;
};

} // namespace veskor
