// Fuzz target for the version resource reader: any bytes must decode without reading outside
// them, the same way twice, and every language and code page must be safe to ask for.

#include "fileinfo/core/VersionResource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);
    // The first byte picks the language and code page, so the fuzzer reaches the language
    // preference of the resource directory and the table fallback.
    const auto pick = size > 0 ? data[0] : 0;
    const auto language = static_cast<veskor::Language>(pick % veskor::kLanguageCount);
    const auto set = static_cast<veskor::CharacterSet>(pick / 8 % veskor::kCharacterSetCount);

    const veskor::VersionReading reading = veskor::readVersionResource(image, language, set);
    check(reading.info == veskor::readVersionInfo(image, language, set));
    // Texts only with a resource, and the fixed texts whenever anything was read.
    if (!reading.hasFixedInfo) {
        check(reading.info == veskor::VersionInfo{});
    } else {
        check(reading.hasResource && !reading.info.fileVersion.isEmpty() &&
              !reading.info.fileOS.isEmpty() && !reading.info.fileType.isEmpty());
    }
    check(!reading.usedFallbackTable || reading.hasFixedInfo);
    return 0;
}
