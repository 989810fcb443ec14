#pragma once
// Facts about the machine, gathered once when built, grouped as the panel reads them: the
// registered user, the processor as the system reports it, the operating system, the display,
// the sound devices, the peripherals, the memory and one mounted file system. A source that
// exists but lacks a value gives "?"; a source that cannot be read leaves the text empty.

#include "platform/SystemFacts.h"
#include "sysinfo/core/SystemFactsText.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veskor {

inline constexpr const char* kSystemInfoAbout = "Orvane SysInfo 1.0";

// Platform identifiers: the three of the bar's first home, then this one.
inline constexpr int kPlatformWin32s = 0;
inline constexpr int kPlatformWindows = 1;
inline constexpr int kPlatformNt = 2;
inline constexpr int kPlatformLinux = 3;

// "Linux" for kPlatformLinux, the first home's names for 0 to 2, "?" for anything else.
std::string platformName(int platformId);

class SystemInfo final {
public:
    struct User {
        std::string organization; // the system's vendor (os-release VENDOR_NAME)
        std::string owner;        // the system records none: "?"
        std::string computer;     // the host name
    };
    struct Processor {
        std::uint16_t architecture = 0; // 9 for x86_64, see architectureCode
        int type = 0;                   // 386, 486, 586, 8664...
        std::uint64_t activeMask = 0;   // one bit per processor online
        int number = 0;                 // processors online
        std::uint16_t level = 0;        // the family
        std::uint16_t revision = 0;     // model << 8 | stepping
        std::string vendor;             // "GenuineIntel"
        std::string vendorId;           // "x86_64 Family 6 Model 5 Stepping 2"
    };
    struct Os {
        int majorVersion = 0; // of the kernel
        int minorVersion = 0;
        std::uint16_t buildNumber = 0;
        int platformId = kPlatformLinux;
        std::string kernelBuild; // uname's version: "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 ..."
        std::uint64_t minApplicationAddress = 0;
        std::uint64_t maxApplicationAddress = 0;
        std::string versionName; // os-release PRETTY_NAME
        std::string user;        // ".Default" when the user has no name
        std::string serial;      // os-release BUILD_ID
    };
    struct Display {
        std::string displayDevice; // the DRM driver; "?" when no card says
        int screenWidth = 0;       // pixels; 0 without a display
        int screenHeight = 0;
        int resolution = 0; // bits per pixel
    };
    struct Peripherals {
        std::string mouse;   // the first mouse's name; "?" when none is found
        std::string printer; // see printerText
        std::string monitor; // see monitorText
    };
    struct Memory {
        std::uint64_t totalPhys = 0; // bytes
        std::uint64_t freePhys = 0;
        std::uint64_t totalVirtual = 0; // this process's address space
        std::uint64_t freeVirtual = 0;
        std::uint64_t totalSwap = 0;
        std::uint64_t freeSwap = 0;
        int freeMem = 0; // percent
        std::int64_t pageSize = 0;
        std::int64_t allocationGranularity = 0;
    };
    // The selected mounted file system. Sizes are 64-bit byte counts; a block is one statvfs
    // fragment.
    struct Mount {
        std::string mountPoint;
        std::int64_t freeSpace = -1;
        std::int64_t totalSpace = -1;
        bool compressed = false;
        std::int64_t blockSize = -1; // bytes
        std::int64_t blocks = -1;
        std::string fileSystem = "?"; // its type: "ext4"
        std::uint64_t fileSystemId = 0;
        std::string device = "?"; // what is mounted: "/dev/vda1", "tmpfs", "server:/home"
        MountKind kind = MountKind::NoStorage;
    };

    // Gathers every fact once, selecting the root file system.
    SystemInfo(ISystemFacts& facts, IScreenFacts& screen);

    [[nodiscard]] const std::string& about() const { return m_about; }
    [[nodiscard]] const User& user() const { return m_user; }
    [[nodiscard]] const Processor& processor() const { return m_processor; }
    [[nodiscard]] const Os& os() const { return m_os; }
    [[nodiscard]] const Display& display() const { return m_display; }
    [[nodiscard]] const SoundDevices& sound() const { return m_sound; }
    [[nodiscard]] const Peripherals& peripherals() const { return m_peripherals; }
    [[nodiscard]] const Memory& memory() const { return m_memory; }
    [[nodiscard]] const Mount& selectedMount() const { return m_mount; }
    // The mount points of the kinds with storage (MountKind::Removable and above), in mount order.
    [[nodiscard]] const std::vector<std::string>& diskMountPoints() const {
        return m_diskMountPoints;
    }
    [[nodiscard]] int diskCount() const { return static_cast<int>(m_diskMountPoints.size()); }

    // Selects the file system mounted at mountPoint and reads its figures afresh. A path that
    // is no mount point, or whose sizes cannot be read, gets the -1/0/"?" figures.
    void selectMount(const std::string& mountPoint);

private:
    void collectMemory();
    void collectProcessorAndOs();
    void collectDevices(IScreenFacts& screen);

    ISystemFacts& m_facts;
    std::string m_about = kSystemInfoAbout;
    User m_user;
    Processor m_processor;
    Os m_os;
    Display m_display;
    SoundDevices m_sound;
    Peripherals m_peripherals;
    Memory m_memory;
    Mount m_mount;
    std::vector<MountEntry> m_mounts;
    std::vector<std::string> m_diskMountPoints;
};

} // namespace veskor
