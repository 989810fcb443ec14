#include "common/MemoryStatus.h"

#include <limits>
#include <optional>

namespace veskor {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// "  16318412 kB" as bytes; counts too large for 64 bits saturate. Anything else is not a value.
std::optional<std::uint64_t> parseKilobytes(std::string_view text) {
    text = trim(text);
    std::uint64_t kb = 0;
    std::size_t pos = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const auto digit = static_cast<std::uint64_t>(text[pos] - '0');
        kb = kb > (kMax - digit) / 10 ? kMax : kb * 10 + digit;
    }
    if (pos == 0) {
        return std::nullopt;
    }
    const std::string_view unit = trim(text.substr(pos));
    if (!unit.empty() && unit != "kB") {
        return std::nullopt;
    }
    return kb > kMax / 1024 ? kMax : kb * 1024;
}

// Percent of total that is used, rounded half up; exact for any realistic size and without
// overflow for any input.
std::uint32_t loadPercent(std::uint64_t total, std::uint64_t avail) {
    if (total == 0) {
        return 0;
    }
    std::uint64_t used = total - (avail < total ? avail : total);
    while (total > kMax / 201) {
        total >>= 1;
        used >>= 1;
    }
    return static_cast<std::uint32_t>((used * 200 + total) / (total * 2));
}

} // namespace

MemoryStatus parseMemInfo(std::string_view meminfo) {
    std::optional<std::uint64_t> memTotal;
    std::optional<std::uint64_t> memAvailable;
    std::optional<std::uint64_t> memFree;
    std::optional<std::uint64_t> swapTotal;
    std::optional<std::uint64_t> swapFree;

    while (!meminfo.empty()) {
        const std::size_t newline = meminfo.find('\n');
        const std::string_view line = meminfo.substr(0, newline);
        meminfo.remove_prefix(newline == std::string_view::npos ? meminfo.size() : newline + 1);

        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const std::string_view key = line.substr(0, colon);
        std::optional<std::uint64_t>* field = nullptr;
        if (key == "MemTotal") {
            field = &memTotal;
        } else if (key == "MemAvailable") {
            field = &memAvailable;
        } else if (key == "MemFree") {
            field = &memFree;
        } else if (key == "SwapTotal") {
            field = &swapTotal;
        } else if (key == "SwapFree") {
            field = &swapFree;
        }
        // The first well-formed line of each key counts.
        if (field != nullptr && !field->has_value()) {
            *field = parseKilobytes(line.substr(colon + 1));
        }
    }

    MemoryStatus status;
    status.totalPhys = memTotal.value_or(0);
    status.availPhys = memAvailable.has_value() ? *memAvailable : memFree.value_or(0);
    status.totalPageFile = swapTotal.value_or(0);
    status.availPageFile = swapFree.value_or(0);
    status.memoryLoad = loadPercent(status.totalPhys, status.availPhys);
    return status;
}

} // namespace veskor
