#include "sysinfo/core/SystemInfo.h"

#include "common/MemoryStatus.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace veskor {

namespace {

constexpr const char* kMissing = "?";

// The value of key, "?" when the source lacks it.
std::string valueOr(const TextFields& fields, std::string_view key) {
    const auto it = fields.find(key);
    return it == fields.end() ? kMissing : it->second;
}

std::int64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (a != 0 && b > kMax / a) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<std::int64_t>(a * b);
}

} // namespace

std::string platformName(int platformId) {
    switch (platformId) {
    case kPlatformWin32s:
        return "MS Windows 3.1x";
    case kPlatformWindows:
        return "MS Windows 95";
    case kPlatformNt:
        return "MS Windows NT";
    case kPlatformLinux:
        return "Linux";
    default:
        return kMissing;
    }
}

SystemInfo::SystemInfo(ISystemFacts& facts, IScreenFacts& screen) : m_facts(facts) {
    collectMemory();
    collectProcessorAndOs();
    collectDevices(screen);
    m_mounts = parseMounts(m_facts.mounts());
    for (const MountEntry& mount : m_mounts) {
        if (mountKind(mount) >= MountKind::Removable) {
            m_diskMountPoints.push_back(mount.mountPoint);
        }
    }
    selectMount("/");
}

void SystemInfo::collectMemory() {
    const MemoryStatus status = parseMemInfo(m_facts.memInfo());
    m_memory.totalPhys = status.totalPhys;
    m_memory.freePhys = status.availPhys;
    m_memory.totalSwap = status.totalPageFile;
    m_memory.freeSwap = status.availPageFile;
    m_memory.freeMem = 100 - static_cast<int>(status.memoryLoad);
    m_memory.pageSize = m_facts.pageSize();
    // Mappings are placed at page granularity.
    m_memory.allocationGranularity = m_memory.pageSize;
}

void SystemInfo::collectProcessorAndOs() {
    const KernelName kernel = m_facts.kernelName();
    const std::optional<std::string> cpuinfo = m_facts.cpuInfo();
    const TextFields cpu = firstProcessorFields(cpuinfo.value_or(""));

    m_processor.architecture = architectureCode(kernel.machine);
    m_processor.type = processorTypeCode(kernel.machine);
    m_processor.number = m_facts.processorsOnline();
    m_processor.activeMask =
        m_processor.number >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << m_processor.number) - 1;
    if (cpuinfo) {
        m_processor.vendor = valueOr(cpu, "vendor_id");
        const auto family = fieldNumber(cpu, "cpu family");
        const auto model = fieldNumber(cpu, "model");
        const auto stepping = fieldNumber(cpu, "stepping");
        if (family && model && stepping) {
            m_processor.vendorId = kernel.machine + " Family " + std::to_string(*family) +
                                   " Model " + std::to_string(*model) + " Stepping " +
                                   std::to_string(*stepping);
            m_processor.level = static_cast<std::uint16_t>(*family);
            m_processor.revision =
                static_cast<std::uint16_t>((*model & 0xFF) << 8 | (*stepping & 0xFF));
        } else {
            m_processor.vendorId = kMissing;
        }
    }

    const KernelVersion version = parseKernelRelease(kernel.release);
    m_os.majorVersion = version.major;
    m_os.minorVersion = version.minor;
    m_os.buildNumber = static_cast<std::uint16_t>(version.build & 0xFFFF);
    m_os.platformId = kPlatformLinux;
    m_os.kernelBuild = kernel.version;

    // The lowest address is the kernel's mapping floor; the highest the top of the lower,
    // user half of the processor's virtual address width, as far as a pointer reaches.
    std::uint64_t lowest = 0;
    const std::string floor = m_facts.mmapMinAddress();
    std::from_chars(floor.data(), floor.data() + floor.size(), lowest);
    const int bits = std::min(virtualAddressBits(cpu), static_cast<int>(sizeof(void*) * 8));
    const std::uint64_t highest = bits > 0 ? (std::uint64_t{1} << (bits - 1)) - 1 : 0;
    m_os.minApplicationAddress = lowest;
    m_os.maxApplicationAddress = highest;
    if (highest > lowest) {
        m_memory.totalVirtual = highest - lowest + 1;
        const std::uint64_t used = statusBytes(m_facts.processStatus(), "VmSize").value_or(0);
        m_memory.freeVirtual = m_memory.totalVirtual - std::min(used, m_memory.totalVirtual);
    }

    if (const std::optional<std::string> release = m_facts.osRelease()) {
        const TextFields fields = parseOsRelease(*release);
        m_user.organization = valueOr(fields, "VENDOR_NAME");
        m_user.owner = kMissing;
        m_os.versionName = valueOr(fields, "PRETTY_NAME");
        m_os.serial = valueOr(fields, "BUILD_ID");
    }
    m_os.user = m_facts.userName();
    if (m_os.user.empty()) {
        m_os.user = ".Default";
    }
    m_user.computer = m_facts.hostName().value_or("");
}

void SystemInfo::collectDevices(IScreenFacts& screen) {
    const std::optional<ScreenFacts> shown = screen.screen();
    if (shown) {
        m_display.screenWidth = shown->width;
        m_display.screenHeight = shown->height;
        m_display.resolution = shown->depth;
    }
    m_display.displayDevice = m_facts.displayDriver();
    if (m_display.displayDevice.empty()) {
        m_display.displayDevice = kMissing;
    }
    m_sound = decodeSound(m_facts.soundListing());
    m_peripherals.mouse = firstMouseName(m_facts.inputDevices().value_or(""));
    if (m_peripherals.mouse.empty()) {
        m_peripherals.mouse = kMissing;
    }
    m_peripherals.printer = printerText(m_facts.printers());
    m_peripherals.monitor = monitorText(shown);
}

void SystemInfo::selectMount(const std::string& mountPoint) {
    m_mount = Mount{};
    m_mount.mountPoint = mountPoint;
    const auto mount = std::find_if(m_mounts.begin(), m_mounts.end(), [&](const MountEntry& m) {
        return m.mountPoint == mountPoint;
    });
    if (mount == m_mounts.end()) {
        return;
    }
    m_mount.kind = mountKind(*mount);
    const std::optional<FileSystemSpace> space = m_facts.fileSystemSpace(mountPoint);
    if (!space) {
        return;
    }
    m_mount.totalSpace = saturatingProduct(space->blocks, space->fragmentSize);
    m_mount.freeSpace = saturatingProduct(space->freeBlocks, space->fragmentSize);
    m_mount.blockSize = saturatingProduct(space->fragmentSize, 1);
    m_mount.blocks = saturatingProduct(space->blocks, 1);
    m_mount.fileSystem = mount->type;
    m_mount.fileSystemId = space->id;
    m_mount.device = mount->source;
}

} // namespace veskor
