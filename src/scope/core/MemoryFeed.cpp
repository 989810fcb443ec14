#include "scope/core/MemoryFeed.h"

#include "common/NumberPattern.h"

namespace veskor {

namespace {

constexpr std::uint64_t kKb = 1024;

std::int64_t kilobytes(std::uint64_t bytes) {
    return static_cast<std::int64_t>(bytes / kKb);
}

// Sets the trace and returns its caption when the trace is on.
std::string feedTrace(bool on, std::uint64_t freeBytes, std::uint64_t totalBytes,
                      std::optional<TraceSample>& sample, std::string_view separator) {
    if (!on) {
        return std::string(kNotActive);
    }
    sample = TraceSample{kilobytes(freeBytes), kilobytes(totalBytes)};
    return formatNumberPattern("#,##0 KB of ", sample->position, separator) +
           formatNumberPattern("#,##0 KB", sample->max, separator);
}

} // namespace

std::optional<MemoryFeed> memoryFeed(const ScopeSettings& settings,
                                     const std::optional<MemoryStatus>& memory,
                                     std::string_view thousandsSeparator) {
    MemoryFeed feed;
    if (!settings.active) {
        feed.physicalCaption = feed.swapCaption = kNotActive;
        return feed;
    }
    if (!memory) {
        return std::nullopt;
    }
    feed.physicalCaption = feedTrace(settings.physical, memory->availPhys, memory->totalPhys,
                                     feed.physical, thousandsSeparator);
    feed.swapCaption = feedTrace(settings.swap, memory->availPageFile, memory->totalPageFile,
                                 feed.swap, thousandsSeparator);
    return feed;
}

} // namespace veskor
