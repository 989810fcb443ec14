// Fuzz target for the name-day file: any bytes must parse, what is written back must read back
// the same, and a file past the size limit is refused with the message instead of being read.

#include "common/Error.h"
#include "namedays/core/SaintFile.h"
#include "platform/fake/FakeFileStore.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool breaksLines(const std::string& entry) {
    return entry.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}

std::vector<std::string> reparseFormatted(const std::vector<std::string>& entries) {
    const std::string text = veskor::formatSaintFile(entries);
    return veskor::parseSaintFile(std::as_bytes(std::span(text.data(), text.size())));
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Loads the file and tells whether it was refused with the open message (table unchanged).
bool refused(veskor::FakeFileStore& files, const fs::path& path, veskor::SaintTable& table) {
    const std::vector<std::string> before = table.items();
    try {
        check(veskor::loadSaints(table, files, path));
    } catch (const veskor::Error& e) {
        check(std::string_view(e.what()).starts_with("Cannot open file " + path.string() + ": "));
        check(table.items() == before);
        return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes = std::as_bytes(std::span(data, size));
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The input as a file: no entry may keep a line break or a NUL, and writing the table
    // back and reading it again must give the same table.
    const std::vector<std::string> entries = veskor::parseSaintFile(bytes);
    std::size_t total = 0;
    for (const std::string& entry : entries) {
        check(!breaksLines(entry));
        total += entry.size();
    }
    check(total <= size);
    check(reparseFormatted(entries) == entries);

    // The same file through the store: it loads unless past the limit.
    veskor::FakeFileStore files;
    const fs::path path = fs::path("/fuzz") / veskor::kSaintFileName;
    files.files[path] = std::string(text);
    veskor::SaintTable table(std::vector<std::string>{});
    check(refused(files, path, table) == (size > veskor::kSaintFileMaxBytes));
    if (size <= veskor::kSaintFileMaxBytes) {
        check(table.items() == entries);
    }

    // The input followed by empty lines up to one byte past the limit is refused, and the table
    // keeps what it had. The padded file lives on between runs (a fresh megabyte each run would
    // cost most of the time) and gets its padding back after each.
    static veskor::FakeFileStore largeFiles;
    std::string& large = largeFiles.files[path];
    large.resize(std::max(veskor::kSaintFileMaxBytes + 1, size), '\n');
    std::copy_n(text.begin(), size, large.begin());
    check(refused(largeFiles, path, table));
    std::fill_n(large.begin(), size, '\n');

    // The input as a table an editor might hold (entries split at 0x1F, so they may hold CR,
    // LF or NUL): saving and loading gives the same table whenever no entry breaks a line.
    std::vector<std::string> edited;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\x1f', start), text.size());
        edited.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (std::ranges::none_of(edited, breaksLines)) {
        veskor::saveSaints(veskor::SaintTable(edited), files, path);
        check(!refused(files, path, table) && table.items() == edited);
    }
    return 0;
}
