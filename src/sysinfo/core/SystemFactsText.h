#pragma once
// Decoders of the platform's raw system texts (/proc, /etc/os-release, the ALSA listings, ...).
// Each takes the text as the system gives it and never fails: what cannot be read is left out.

#include "platform/SystemFacts.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veskor {

using TextFields = std::map<std::string, std::string, std::less<>>;

// KEY=VALUE lines of os-release; values unquoted ("..." with backslash escapes, or '...').
TextFields parseOsRelease(std::string_view text);

// The "key : value" lines of the first processor in /proc/cpuinfo.
TextFields firstProcessorFields(std::string_view cpuinfo);

// The number a field starts with; nullopt when it is missing or starts otherwise.
std::optional<int> fieldNumber(const TextFields& fields, std::string_view key);

// The virtual address width of "address sizes : 48 bits physical, 48 bits virtual"; 0 if absent.
int virtualAddressBits(const TextFields& processor);

// The leading numbers of a kernel release: "6.1.0-18-amd64" gives 6, 1 and 0; missing ones are 0.
struct KernelVersion {
    int major = 0;
    int minor = 0;
    int build = 0;

    bool operator==(const KernelVersion&) const = default;
};
KernelVersion parseKernelRelease(std::string_view release);

// Architecture and processor type codes of the other platform's system information record,
// from uname's machine: "x86_64" is 9 and 8664, "i686" 0 and 586. Unknown machines are
// 0xFFFF and 0.
std::uint16_t architectureCode(std::string_view machine);
int processorTypeCode(std::string_view machine);

// The kilobytes of a "Key:   123 kB" line of /proc/self/status, in bytes.
std::optional<std::uint64_t> statusBytes(std::string_view status, std::string_view key);

// The name of the first device of /proc/bus/input/devices with a mouse handler; empty if none.
std::string firstMouseName(std::string_view devices);

// The sound card and its devices as the panel names them. "Device 0" of each kind is the first
// one the listings hold; the device texts carry the driver's " vX.Y".
struct SoundDevices {
    std::string soundDevice; // the first card's name; "?" when its line has no name
    std::string waveIn;      // the first PCM that captures
    std::string waveOut;     // the first PCM that plays
    std::string midiIn;      // the first raw MIDI port, if it has an input
    std::string midiOut;     // ... if it has an output
    std::string aux;         // no such device class here: always empty
    std::string mixer;       // the first card's, when the card has a control device

    bool operator==(const SoundDevices&) const = default;
};
SoundDevices decodeSound(const SoundListing& listing);

// " v6.1" from "... Driver Version k6.1.0-18-amd64."; empty without a version.
std::string driverVersionSuffix(std::string_view version);

// One line of /proc/self/mounts, its octal escapes ("\040") decoded.
struct MountEntry {
    std::string source;
    std::string mountPoint;
    std::string type;

    bool operator==(const MountEntry&) const = default;
};
// Mounts in order; a mount point mounted again keeps its first place with the newest entry,
// the one that is visible.
std::vector<MountEntry> parseMounts(std::string_view text);

// What stores a mount's files, numbered as the other platform's drive types.
enum class MountKind {
    NoStorage = 1, // a kernel file system: proc, sysfs, cgroup...
    Removable = 2, // under /media or /run/media
    Fixed = 3,
    Remote = 4,
    Optical = 5,
    RamDisk = 6,
};
MountKind mountKind(const MountEntry& mount);

// The default printer's description (its name when it has none); "?" when printers exist but
// none is the default; empty when there is no server or no printer.
std::string printerText(const PrinterFacts& printers);

// "Manufacturer Model" of the monitor; "?" when the screen does not say; empty without a screen.
std::string monitorText(const std::optional<ScreenFacts>& screen);

} // namespace veskor
