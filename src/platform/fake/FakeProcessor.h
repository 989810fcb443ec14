#pragma once
#include "platform/Processor.h"

#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace veskor {

// Serves recorded CPUID leaves; its counter runs at `mhz` cycles per microsecond of a clock that
// moves on `stepUs` at every reading.
class FakeProcessor final : public IProcessor {
public:
    // Lines "LEAF EAX EBX ECX EDX" in hexadecimal; '#' starts a comment line.
    static FakeProcessor fromDump(const std::string& dump) {
        FakeProcessor fake;
        std::istringstream lines(dump);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.empty() || line[0] == '#') {
                continue;
            }
            std::istringstream fields(line);
            std::uint32_t leaf = 0;
            CpuidRegisters r;
            fields >> std::hex >> leaf >> r.eax >> r.ebx >> r.ecx >> r.edx;
            if (fields) {
                fake.leaves[leaf] = r;
            }
        }
        return fake;
    }

    std::optional<CpuidRegisters> cpuid(std::uint32_t leaf) override {
        const auto it = leaves.find(leaf);
        return it == leaves.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<std::uint64_t> timestampCounter() override {
        if (!hasCounter) {
            return std::nullopt;
        }
        return static_cast<std::uint64_t>(static_cast<double>(m_nowUs) * mhz);
    }
    int processorCount() override { return count; }
    std::int64_t steadyMicroseconds() override { return m_nowUs += stepUs; }

    std::map<std::uint32_t, CpuidRegisters> leaves;
    bool hasCounter = true;
    double mhz = 0;
    std::int64_t stepUs = 1000;
    int count = 1;

private:
    std::int64_t m_nowUs = 0;
};

} // namespace veskor
