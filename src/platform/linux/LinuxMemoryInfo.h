#pragma once
#include "platform/MemoryInfo.h"

namespace veskor {

class LinuxMemoryInfo final : public IMemoryInfo {
public:
    std::string readMemInfo() override;
};

} // namespace veskor
