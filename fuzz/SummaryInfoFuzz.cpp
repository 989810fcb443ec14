// Fuzz target for the summary property-set parser: any bytes must parse without reading outside
// them, twice to the same result, with no text longer than the bytes it came from.

#include "fileinfo/core/SummaryInfo.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <span>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::optional<std::tm> utc(std::int64_t seconds) {
    const auto moment = static_cast<std::time_t>(seconds);
    std::tm out{};
    if (gmtime_r(&moment, &out) == nullptr) {
        return std::nullopt;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes = std::as_bytes(std::span(data, size));
    const veskor::SummaryReading reading = veskor::parseSummaryStream(bytes, utc);
    check(!reading.hasTable || size >= 48); // the section may lie anywhere, even in the header
    const veskor::SummaryProperties& p = reading.properties;
    for (const QString* text : {&p.title, &p.subject, &p.author, &p.keywords, &p.comments,
                                &p.templateName, &p.lastAuthor, &p.revNumber}) {
        check(static_cast<std::size_t>(text->size()) <= size);
    }
    for (const veskor::DateTime date : {p.lastPrinted, p.created, p.lastSaved}) {
        check(date == 0 || (date >= 29221 && date < 76703)); // 1980-01-01 to 2110-01-01
    }
    check(p.editTime >= 0);
    check(veskor::parseSummaryStream(bytes, utc).properties == p);

    // The same bytes as a text under the code pages that take different paths.
    constexpr std::array<std::uint16_t, 5> kCodePages = {1200, 1250, 1252, 932, 65001};
    for (const std::uint16_t codePage : kCodePages) {
        check(static_cast<std::size_t>(veskor::decodeSummaryText(bytes, codePage).size()) <= size);
    }
    return 0;
}
