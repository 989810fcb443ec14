// The real collectors on this machine, through the system information they feed.

#include "platform/fake/FakeSystemFacts.h"
#include "platform/linux/LinuxProcessor.h"
#include "platform/linux/LinuxSystemFacts.h"
#include "sysinfo/core/CpuInfo.h"
#include "sysinfo/core/SystemInfo.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace veskor {
namespace {

// This machine: every fact is had without an error. It has no display here (the screen's facts
// are faked away), no sound card and no print server, but the test holds on machines with them.
TEST(SystemFacts, ThisMachineGivesEveryFact) {
    LinuxSystemFacts facts;
    FakeScreenFacts noDisplay;
    const SystemInfo info(facts, noDisplay);
    EXPECT_FALSE(info.user().computer.empty());
    EXPECT_FALSE(info.os().user.empty());
    EXPECT_FALSE(info.os().versionName.empty()); // os-release is there
    EXPECT_NE(info.os().versionName, "?");
    EXPECT_FALSE(info.os().kernelBuild.empty());
    EXPECT_GT(info.os().majorVersion, 2);
    EXPECT_LT(info.os().minApplicationAddress, info.os().maxApplicationAddress);
    EXPECT_GT(info.memory().totalPhys, 0U);
    EXPECT_GT(info.memory().freePhys, 0U);
    EXPECT_GT(info.memory().freeVirtual, 0U);
    EXPECT_LT(info.memory().freeVirtual, info.memory().totalVirtual);
    EXPECT_GT(info.memory().pageSize, 0);
    EXPECT_GE(info.processor().number, 1);
    EXPECT_FALSE(info.processor().vendor.empty());
    EXPECT_NE(info.processor().vendorId, "?");
    EXPECT_FALSE(info.display().displayDevice.empty()); // "?" without a graphics card
    EXPECT_FALSE(info.peripherals().mouse.empty());     // "?" without a mouse
    // With a card, its name; without, nothing at all.
    const SoundDevices& sound = info.sound();
    if (sound.soundDevice.empty()) {
        EXPECT_EQ(sound, SoundDevices{});
    }
    // The root file system is mounted and counts as a disk.
    EXPECT_NE(std::find(info.diskMountPoints().begin(), info.diskMountPoints().end(), "/"),
              info.diskMountPoints().end());
    EXPECT_EQ(info.selectedMount().mountPoint, "/");
    EXPECT_GE(info.selectedMount().kind, MountKind::Removable);
    EXPECT_GT(info.selectedMount().totalSpace, 0);
    EXPECT_GE(info.selectedMount().totalSpace, info.selectedMount().freeSpace);
    EXPECT_NE(info.selectedMount().fileSystem, "?");
}

TEST(SystemFacts, ThisMachinesProcessorHasAVendor) {
    LinuxProcessor real;
    const CpuInfo info(real);
    EXPECT_GE(info.count(), 1);
    EXPECT_FALSE(info.vendor().empty());
    EXPECT_FALSE(info.cpu().empty());
}

} // namespace
} // namespace veskor
