// Fuzz target for the name-day file reader: any bytes must parse, and what is written back must
// read back the same.

#include "namedays/core/SaintTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool BreaksLines(const std::string& entry) {
    return entry.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}

std::vector<std::string> ReparseFormatted(const std::vector<std::string>& entries) {
    const std::string text = veskor::FormatSaintFile(entries);
    return veskor::ParseSaintFile(std::as_bytes(std::span(text.data(), text.size())));
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes = std::as_bytes(std::span(data, size));

    // The input as a file: no entry may keep a line break or a NUL, and writing the table
    // back and reading it again must give the same table.
    const std::vector<std::string> entries = veskor::ParseSaintFile(bytes);
    std::size_t total = 0;
    for (const std::string& entry : entries) {
        Check(!BreaksLines(entry));
        total += entry.size();
    }
    Check(total <= size);
    Check(ReparseFormatted(entries) == entries);

    // The input as a table an editor might hold (entries split at 0x1F, so they may hold CR,
    // LF or NUL): saving and loading gives the same table whenever no entry breaks a line.
    std::vector<std::string> table;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\x1f', start), text.size());
        table.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (std::ranges::none_of(table, BreaksLines)) {
        Check(ReparseFormatted(table) == table);
    }
    return 0;
}
