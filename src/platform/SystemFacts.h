#pragma once
// Raw facts about the machine, gathered for the system information panel. Decoding them is
// SystemInfo's job, so every text here is what the system gave, unparsed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veskor {

// The kernel's uname fields.
struct KernelName {
    std::string sysname; // "Linux"
    std::string release; // "6.1.0-18-amd64"
    std::string version; // "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)"
    std::string machine; // "x86_64"
};

// The ALSA listings under /proc/asound; each is nullopt when it cannot be read.
struct SoundListing {
    std::optional<std::string> cards;   // /proc/asound/cards
    std::optional<std::string> pcm;     // /proc/asound/pcm
    std::optional<std::string> devices; // /proc/asound/devices
    std::optional<std::string> version; // /proc/asound/version
    // The first raw MIDI port's /proc/asound/cardC/midiD text, empty when there is none.
    std::string firstMidi;
};

// The print server's answer about its destinations.
struct PrinterFacts {
    bool serverAnswered = false; // false when no print server could be reached in time
    int destinations = 0;        // printers and classes the server (or the user) knows
    std::string defaultName;     // empty when none is the default
    std::string defaultInfo;     // the default's description ("printer-info"), maybe empty
};

// Sizes of a mounted file system (statvfs).
struct FileSystemSpace {
    std::uint64_t fragmentSize = 0; // bytes per block of the counts below
    std::uint64_t blocks = 0;
    std::uint64_t freeBlocks = 0; // free for an unprivileged user
    std::uint64_t id = 0;
};

// One IPv4 address of a network interface (getifaddrs).
struct InterfaceAddress {
    std::string interface;
    std::string address; // dotted decimal
    bool up = false;
    bool loopback = false;
};

// Facts of the machine that need no display. Every call reads the system afresh.
class ISystemFacts {
public:
    virtual ~ISystemFacts() = default;
    // The text of /proc/meminfo; empty when it cannot be read.
    virtual std::string memInfo() = 0;
    // The text of /proc/cpuinfo; nullopt when it cannot be read.
    virtual std::optional<std::string> cpuInfo() = 0;
    // The text of /proc/self/status; empty when it cannot be read.
    virtual std::string processStatus() = 0;
    // The lowest address a process may map (vm.mmap_min_addr), as its text; empty if unknown.
    virtual std::string mmapMinAddress() = 0;
    // The memory page size in bytes (sysconf).
    virtual std::int64_t pageSize() = 0;
    // Processors online (sysconf), at least 1.
    virtual int processorsOnline() = 0;
    // The kernel's names; empty fields when uname fails.
    virtual KernelName kernelName() = 0;
    // The text of /etc/os-release, else /usr/lib/os-release; nullopt when neither can be read.
    virtual std::optional<std::string> osRelease() = 0;
    // The login name of the process's user; empty when it has none.
    virtual std::string userName() = 0;
    // The host name (gethostname); nullopt when it cannot be read.
    virtual std::optional<std::string> hostName() = 0;
    // The driver of the first DRM card (/sys/class/drm/card*/device/driver); empty when none.
    virtual std::string displayDriver() = 0;
    // The text of /proc/bus/input/devices; nullopt when it cannot be read.
    virtual std::optional<std::string> inputDevices() = 0;
    // The ALSA listings.
    virtual SoundListing soundListing() = 0;
    // The print server's destinations; answers within about a second, also without a server.
    virtual PrinterFacts printers() = 0;
    // The text of /proc/self/mounts; empty when it cannot be read.
    virtual std::string mounts() = 0;
    // The sizes of the file system mounted at path; nullopt when statvfs fails.
    virtual std::optional<FileSystemSpace> fileSystemSpace(const std::string& path) = 0;
    // The IPv4 addresses of the interfaces, in the system's order; empty when getifaddrs fails.
    virtual std::vector<InterfaceAddress> interfaceAddresses() = 0;
};

// The primary screen as the window system reports it.
struct ScreenFacts {
    int width = 0;            // pixels
    int height = 0;           // pixels
    int depth = 0;            // bits per pixel
    std::string manufacturer; // from the monitor's EDID, maybe empty
    std::string model;        // from the monitor's EDID, maybe empty
};

// Facts that need a display.
class IScreenFacts {
public:
    virtual ~IScreenFacts() = default;
    // The primary screen; nullopt when there is no display.
    virtual std::optional<ScreenFacts> screen() = 0;
};

} // namespace veskor
