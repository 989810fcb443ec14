// The collector: each fact from the platform's raw texts, with the fallbacks of a source that
// lacks a value ("?") or cannot be read (empty); and the real collector on this machine.

#include "sysinfo/core/SystemInfo.h"

#include "Samples.h"
#include "platform/fake/FakeSystemFacts.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

// The build machine's recorded texts, with a display and a print server.
FakeSystemFacts buildMachine() {
    const auto sample = test::loadSample("build-machine.txt");
    FakeSystemFacts facts;
    facts.memInfoText = sample.at("meminfo");
    facts.cpuInfoText = sample.at("cpuinfo");
    facts.osReleaseText = sample.at("os-release");
    facts.mountsText = sample.at("mounts");
    facts.processStatusText = sample.at("status");
    facts.mmapMinAddressText = "65536\n";
    facts.processors = 2;
    facts.kernel = {"Linux", "6.18.44-fc-v1272", "#1 SMP PREEMPT_DYNAMIC @0", "x86_64"};
    facts.user = "root";
    facts.host = "vm";
    facts.driver = "virtio_gpu";
    facts.printer = {true, 1, "pdf", "Print to file"};
    facts.spaces["/"] = {4096, 1000, 250, 0xABCD};
    return facts;
}

TEST(SystemInfo, DecodesEveryGroupFromTheRecordedTexts) {
    FakeSystemFacts facts = buildMachine();
    FakeScreenFacts screen;
    screen.facts = ScreenFacts{1280, 1024, 24, "", ""};
    const SystemInfo info(facts, screen);

    EXPECT_EQ(info.about(), "Orvane SysInfo 1.0");
    EXPECT_EQ(info.user().organization, "?"); // os-release without VENDOR_NAME
    EXPECT_EQ(info.user().owner, "?");
    EXPECT_EQ(info.user().computer, "vm");

    const SystemInfo::Processor& cpu = info.processor();
    EXPECT_EQ(cpu.architecture, 9);
    EXPECT_EQ(cpu.type, 8664);
    EXPECT_EQ(cpu.number, 2);
    EXPECT_EQ(cpu.activeMask, 0b11U);
    EXPECT_EQ(cpu.level, 26);
    EXPECT_EQ(cpu.revision, 0x0201);
    EXPECT_EQ(cpu.vendor, "AuthenticAMD");
    EXPECT_EQ(cpu.vendorId, "x86_64 Family 26 Model 2 Stepping 1");

    const SystemInfo::Os& os = info.os();
    EXPECT_EQ(platformName(os.platformId), "Linux");
    EXPECT_EQ(os.majorVersion, 6);
    EXPECT_EQ(os.minorVersion, 18);
    EXPECT_EQ(os.buildNumber, 44);
    EXPECT_EQ(os.kernelBuild, "#1 SMP PREEMPT_DYNAMIC @0");
    EXPECT_EQ(os.versionName, "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(os.serial, "?");
    EXPECT_EQ(os.user, "root");
    EXPECT_EQ(os.minApplicationAddress, 65536U);
    EXPECT_EQ(os.maxApplicationAddress, 0x7FFF'FFFF'FFFFU); // 48 bits, the lower half

    const SystemInfo::Memory& memory = info.memory();
    EXPECT_EQ(memory.totalPhys, 24683748ULL * 1024);
    EXPECT_EQ(memory.freePhys, 22230144ULL * 1024);
    EXPECT_EQ(memory.freeMem, 90); // 9.9 % in use rounds to a load of 10
    EXPECT_EQ(memory.totalSwap, 0U);
    EXPECT_EQ(memory.totalVirtual, 0x8000'0000'0000U - 65536);
    EXPECT_EQ(memory.freeVirtual, memory.totalVirtual - 3908 * 1024);
    EXPECT_EQ(memory.pageSize, 4096);
    EXPECT_EQ(memory.allocationGranularity, 4096);

    EXPECT_EQ(info.display().displayDevice, "virtio_gpu");
    EXPECT_EQ(info.display().screenWidth, 1280);
    EXPECT_EQ(info.display().screenHeight, 1024);
    EXPECT_EQ(info.display().resolution, 24);
    EXPECT_EQ(info.peripherals().monitor, "?"); // a screen that does not name its monitor
    EXPECT_EQ(info.peripherals().printer, "Print to file");
    EXPECT_EQ(info.peripherals().mouse, "?"); // no input devices listed
    EXPECT_EQ(info.sound(), SoundDevices{});
}

TEST(SystemInfo, SourcesThatCannotBeReadLeaveTheirTextsEmpty) {
    FakeSystemFacts facts; // nothing readable
    facts.host.reset();
    FakeScreenFacts noDisplay;
    const SystemInfo info(facts, noDisplay);
    EXPECT_EQ(info.user().organization, "");
    EXPECT_EQ(info.user().computer, "");
    EXPECT_EQ(info.os().versionName, "");
    EXPECT_EQ(info.os().serial, "");
    EXPECT_EQ(info.os().user, ".Default");
    EXPECT_EQ(info.processor().vendor, "");
    EXPECT_EQ(info.processor().vendorId, "");
    EXPECT_EQ(info.memory().totalVirtual, 0U);
    EXPECT_EQ(info.memory().freeMem, 100);
    EXPECT_EQ(info.peripherals().monitor, "");
    EXPECT_EQ(info.peripherals().printer, "");
    EXPECT_EQ(info.display().screenWidth, 0);
    // The entries that have a default of their own.
    EXPECT_EQ(info.display().displayDevice, "?");
    EXPECT_EQ(info.peripherals().mouse, "?");

    // A cpuinfo without the signature fields.
    facts.cpuInfoText = "processor : 0\nvendor_id : X\n";
    EXPECT_EQ(SystemInfo(facts, noDisplay).processor().vendorId, "?");
}

TEST(SystemInfo, DisksAreTheMountedFileSystems) {
    FakeSystemFacts facts = buildMachine();
    FakeScreenFacts screen;
    SystemInfo info(facts, screen);
    EXPECT_EQ(info.diskMountPoints(), (std::vector<std::string>{"/dev/shm", "/"}));
    EXPECT_EQ(info.diskCount(), 2);

    // The root is selected from the start.
    SystemInfo::Mount root = info.selectedMount();
    EXPECT_EQ(root.mountPoint, "/");
    EXPECT_EQ(root.kind, MountKind::Fixed);
    EXPECT_EQ(root.totalSpace, 4096 * 1000);
    EXPECT_EQ(root.freeSpace, 4096 * 250);
    EXPECT_EQ(root.blockSize * root.blocks, root.totalSpace);
    EXPECT_EQ(root.fileSystem, "ext4");
    EXPECT_EQ(root.device, "/dev/vda");
    EXPECT_EQ(root.fileSystemId, 0xABCDU);

    // Mounted, but its sizes cannot be read.
    info.selectMount("/dev/shm");
    EXPECT_EQ(info.selectedMount().kind, MountKind::RamDisk);
    EXPECT_EQ(info.selectedMount().totalSpace, -1);
    EXPECT_EQ(info.selectedMount().freeSpace, -1);
    EXPECT_EQ(info.selectedMount().blocks, -1);
    EXPECT_EQ(info.selectedMount().fileSystem, "?");
    EXPECT_EQ(info.selectedMount().device, "?");
    EXPECT_EQ(info.selectedMount().fileSystemId, 0U);

    // Sizes are 64-bit: a 16 TiB volume, and one whose product overflows saturates.
    facts.spaces["/"] = {4096, 1ULL << 32, 1ULL << 31, 1};
    info.selectMount("/");
    EXPECT_EQ(info.selectedMount().totalSpace, 1LL << 44);
    facts.spaces["/"] = {1ULL << 32, 1ULL << 40, 0, 1};
    info.selectMount("/");
    EXPECT_EQ(info.selectedMount().totalSpace, INT64_MAX);

    // Not a mount point at all: no root directory, even where statvfs would answer.
    facts.spaces["/tmp"] = {4096, 1, 1, 1};
    info.selectMount("/tmp");
    EXPECT_EQ(info.selectedMount().mountPoint, "/tmp");
    EXPECT_EQ(info.selectedMount().kind, MountKind::NoStorage);
    EXPECT_EQ(info.selectedMount().totalSpace, -1);
}

TEST(SystemInfo, PlatformNames) {
    EXPECT_EQ(platformName(0), "MS Windows 3.1x");
    EXPECT_EQ(platformName(1), "MS Windows 95");
    EXPECT_EQ(platformName(2), "MS Windows NT");
    EXPECT_EQ(platformName(kPlatformLinux), "Linux");
    EXPECT_EQ(platformName(-1), "?");
    EXPECT_EQ(platformName(4), "?");
}

} // namespace
} // namespace veskor
