// Fuzz target for the settings file: whatever bytes it holds, each value the bar reads is a
// whole 32-bit number, absent, or the error naming it; nothing else escapes, nothing hangs.

#include "common/Error.h"
#include "platform/linux/IniSettingsStore.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// One file per run, in a folder that goes when the run ends.
struct Scratch {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("veskor-fuzz-" + std::to_string(::getpid()));
    Scratch() { std::filesystem::create_directories(folder); }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
};

std::filesystem::path settingsFile() {
    static const Scratch scratch;
    return scratch.folder / "Veskor Pro.conf";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(settingsFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    veskor::IniSettingsStore store(settingsFile());
    for (const char* name : {"Left", "Top", "Memory", "MemoryScan", "Scan", "PMScan", "Value"}) {
        try {
            static_cast<void>(store.readInteger(name));
        } catch (const veskor::Error& e) {
            check(std::string(e.what()) == "Invalid data type for '" + std::string(name) + "'");
        }
    }
    return 0;
}
