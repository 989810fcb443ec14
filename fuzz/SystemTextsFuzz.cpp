// Fuzz target for the decoders of the system's texts (/proc/meminfo, /proc/cpuinfo, os-release,
// /proc/self/mounts and status, the input devices, the ALSA listings, the kernel release): each
// reads the same bytes and none fails on them. The load is a percent, and os-release's fields
// and the mounts read back the same once written in their file's own form.

#include "common/MemoryStatus.h"
#include "sysinfo/core/SystemFactsText.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Each value in double quotes, a backslash before a quote or a backslash.
std::string writeOsRelease(const veskor::TextFields& fields) {
    std::string text;
    for (const auto& [key, value] : fields) {
        text += key + "=\"";
        for (const char c : value) {
            if (c == '"' || c == '\\') {
                text += '\\';
            }
            text += c;
        }
        text += "\"\n";
    }
    return text;
}

// Blanks, line ends and backslashes as the kernel escapes them: "\040".
std::string escapeMountWord(const std::string& word) {
    std::string text;
    for (const char c : word) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\%03o", static_cast<unsigned char>(c));
            text += escaped;
        } else {
            text += c;
        }
    }
    return text;
}

std::string writeMounts(const std::vector<veskor::MountEntry>& mounts) {
    std::string text;
    for (const veskor::MountEntry& mount : mounts) {
        text += escapeMountWord(mount.source) + ' ' + escapeMountWord(mount.mountPoint) + ' ' +
                mount.type + " rw 0 0\n";
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veskor;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    check(parseMemInfo(text).memoryLoad <= 100);

    const TextFields release = parseOsRelease(text);
    check(parseOsRelease(writeOsRelease(release)) == release);

    const TextFields processor = firstProcessorFields(text);
    static_cast<void>(fieldNumber(processor, "cpu family"));
    static_cast<void>(virtualAddressBits(processor));
    static_cast<void>(parseKernelRelease(text));

    const std::vector<MountEntry> mounts = parseMounts(text);
    check(parseMounts(writeMounts(mounts)) == mounts);
    for (const MountEntry& mount : mounts) {
        const auto kind = static_cast<int>(mountKind(mount));
        check(kind >= 1 && kind <= 6);
    }

    const std::optional<std::uint64_t> vmSize = statusBytes(text, "VmSize");
    check(!vmSize || *vmSize % 1024 == 0);
    check(firstMouseName(text).find('\n') == std::string::npos);

    const std::string version = driverVersionSuffix(text);
    check(version.empty() || version.starts_with(" v"));
    const std::string all(text);
    static_cast<void>(decodeSound(
        SoundListing{.cards = all, .pcm = all, .devices = all, .version = all, .firstMidi = all}));
    return 0;
}
