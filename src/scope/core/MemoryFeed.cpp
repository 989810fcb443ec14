#include "scope/core/MemoryFeed.h"

#include "common/NumberPattern.h"

#include <QCoreApplication>

namespace veskor {

namespace {

constexpr std::uint64_t kKb = 1024;

std::string notActive() {
    return QCoreApplication::translate("MemoryFeed", "<not active>").toStdString();
}

std::int64_t kilobytes(std::uint64_t bytes) {
    return static_cast<std::int64_t>(bytes / kKb);
}

// Sets the trace and returns its caption when the trace is on.
std::string feedTrace(bool on, std::uint64_t freeBytes, std::uint64_t totalBytes,
                      std::optional<TraceSample>& sample, std::string_view separator) {
    if (!on) {
        return notActive();
    }
    sample = TraceSample{kilobytes(freeBytes), kilobytes(totalBytes)};
    return QCoreApplication::translate("MemoryFeed", "%1 of %2")
        .arg(QString::fromStdString(formatNumberPattern("#,##0 KB", sample->position, separator)),
             QString::fromStdString(formatNumberPattern("#,##0 KB", sample->max, separator)))
        .toStdString();
}

} // namespace

std::optional<MemoryFeed> memoryFeed(const ScopeSettings& settings,
                                     const std::optional<MemoryStatus>& memory,
                                     std::string_view thousandsSeparator) {
    MemoryFeed feed;
    if (!settings.active) {
        feed.physicalCaption = feed.swapCaption = notActive();
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
