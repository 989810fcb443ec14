#pragma once
#include <string>

namespace veskor {

// Raw memory facts of the machine; decoding is ParseMemInfo's job.
class IMemoryInfo {
public:
    virtual ~IMemoryInfo() = default;
    // The text of /proc/meminfo; empty when it cannot be read.
    virtual std::string readMemInfo() = 0;
};

} // namespace veskor
