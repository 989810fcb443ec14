// The decoders of the system's texts, from recorded and hand-written samples.

#include "sysinfo/core/SystemFactsText.h"

#include "Samples.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

using test::loadSample;

TEST(SystemFactsText, OsReleaseValuesAreUnquoted) {
    const TextFields fields = parseOsRelease(loadSample("build-machine.txt").at("os-release"));
    EXPECT_EQ(fields.at("PRETTY_NAME"), "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(fields.at("VERSION_CODENAME"), "bookworm");
    EXPECT_EQ(fields.count("BUILD_ID"), 0U);

    const TextFields quoted = parseOsRelease("# NAME=commented\n"
                                             "NAME='Single \"quoted\"'\n"
                                             "VARIANT=\"say \\\"hi\\\" \\\\ \\$HOME\"\r\n"
                                             "garbage line\n");
    EXPECT_EQ(quoted.at("NAME"), "Single \"quoted\"");
    EXPECT_EQ(quoted.at("VARIANT"), "say \"hi\" \\ $HOME");
    EXPECT_EQ(quoted.size(), 2U);
}

TEST(SystemFactsText, CpuInfoOfTheFirstProcessorOnly) {
    const TextFields first = firstProcessorFields(loadSample("build-machine.txt").at("cpuinfo"));
    EXPECT_EQ(first.at("vendor_id"), "AuthenticAMD");
    EXPECT_EQ(fieldNumber(first, "cpu family"), 26);
    EXPECT_EQ(fieldNumber(first, "model"), 2);
    EXPECT_EQ(first.at("model name"), "AMD EPYC");
    EXPECT_EQ(fieldNumber(first, "power management"), std::nullopt); // present, empty
    EXPECT_EQ(virtualAddressBits(first), 48);
    // Leading blank lines do not end the block; a field without the width gives 0.
    const TextFields odd = firstProcessorFields("\n\nvendor_id : X\naddress sizes : 36 bits\n");
    EXPECT_EQ(odd.at("vendor_id"), "X");
    EXPECT_EQ(virtualAddressBits(odd), 0);
}

TEST(SystemFactsText, KernelReleaseNumbers) {
    EXPECT_EQ(parseKernelRelease("6.1.0-18-amd64"), (KernelVersion{6, 1, 0}));
    EXPECT_EQ(parseKernelRelease("6.18.44-fc-v1272"), (KernelVersion{6, 18, 44}));
    EXPECT_EQ(parseKernelRelease("5.10"), (KernelVersion{5, 10, 0}));
    EXPECT_EQ(parseKernelRelease("4.19-rc2"), (KernelVersion{4, 19, 0}));
    EXPECT_EQ(parseKernelRelease(""), (KernelVersion{}));
    EXPECT_EQ(parseKernelRelease("v6.1"), (KernelVersion{}));
}

TEST(SystemFactsText, ArchitectureAndProcessorTypeCodes) {
    const struct {
        const char* machine;
        int architecture, type;
    } cases[] = {{"x86_64", 9, 8664}, {"i386", 0, 386},       {"i486", 0, 486},
                 {"i686", 0, 586},    {"aarch64", 12, 0},     {"armv7l", 5, 0},
                 {"ia64", 6, 2200},   {"riscv64", 0xFFFF, 0}, {"x86", 0xFFFF, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(architectureCode(c.machine), c.architecture) << c.machine;
        EXPECT_EQ(processorTypeCode(c.machine), c.type) << c.machine;
    }
}

TEST(SystemFactsText, ProcessStatusKilobytes) {
    const std::string status = loadSample("build-machine.txt").at("status");
    EXPECT_EQ(statusBytes(status, "VmSize"), 3908U * 1024);
    EXPECT_EQ(statusBytes(status, "Vm"), std::nullopt); // a key's prefix is no key
    EXPECT_EQ(statusBytes(status, "Name"), std::nullopt);
}

TEST(SystemFactsText, FirstMouseOfTheInputDevices) {
    EXPECT_EQ(firstMouseName(loadSample("desktop-two-cards.txt").at("input-devices")),
              "USB Optical Mouse");
    EXPECT_EQ(firstMouseName("N: Name=\"AT keyboard\"\nH: Handlers=kbd event2\n"), "");
    EXPECT_EQ(firstMouseName(""), "");
}

SoundListing listing(const std::map<std::string, std::string>& sample) {
    SoundListing result;
    for (auto [name, field] : {std::pair{"cards", &SoundListing::cards},
                               {"pcm", &SoundListing::pcm},
                               {"devices", &SoundListing::devices},
                               {"version", &SoundListing::version}}) {
        if (sample.contains(name)) {
            result.*field = sample.at(name);
        }
    }
    result.firstMidi = sample.contains("midi") ? sample.at("midi") : "";
    return result;
}

TEST(SystemFactsText, SoundDevicesOfTwoCards) {
    SoundListing two = listing(loadSample("desktop-two-cards.txt"));
    EXPECT_EQ(decodeSound(two),
              (SoundDevices{"HD-Audio Generic", "ALC897 Analog v6.1", "ALC897 Analog v6.1",
                            "USB MIDI Keyboard MIDI 1 v6.1", "USB MIDI Keyboard MIDI 1 v6.1", "",
                            "HD-Audio Generic v6.1"}));
    // No version: the names alone. A port that only plays has no input.
    two.version.reset();
    two.firstMidi = "Synth\n\nOutput 0\n";
    const SoundDevices bare = decodeSound(two);
    EXPECT_EQ(bare.waveOut, "ALC897 Analog");
    EXPECT_EQ(bare.midiOut, "Synth");
    EXPECT_EQ(bare.midiIn, "");
    // The first card without a name: there is a card, but it does not say what it is.
    two.cards = " 0 [Generic        ]: HDA-Generic\n";
    EXPECT_EQ(decodeSound(two).soundDevice, "?");
    EXPECT_EQ(decodeSound(two).mixer, "");
}

TEST(SystemFactsText, NoSoundCardOrNoSoundSystem) {
    EXPECT_EQ(decodeSound(listing(loadSample("no-sound-card.txt"))), SoundDevices{});
    EXPECT_EQ(decodeSound(SoundListing{}), SoundDevices{});
}

TEST(SystemFactsText, DriverVersion) {
    EXPECT_EQ(driverVersionSuffix("Advanced Linux Sound Architecture Driver Version 1.0.25.\n"),
              " v1.0");
    EXPECT_EQ(driverVersionSuffix("Driver Version k6.12.3-arch1."), " v6.12");
    EXPECT_EQ(driverVersionSuffix("Driver 7 Version 2.x then 3.4"), " v3.4");
    EXPECT_EQ(driverVersionSuffix("no version"), "");
}

TEST(SystemFactsText, MountsInOrderWithTheVisibleEntry) {
    const std::vector<MountEntry> mounts =
        parseMounts(loadSample("build-machine.txt").at("mounts") +
                    "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
                    "tmpfs /dev/shm tmpfs rw,size=1k 0 0\n"
                    "short line\n");
    ASSERT_EQ(mounts.size(), 7U);
    EXPECT_EQ(mounts[3], (MountEntry{"tmpfs", "/dev/shm", "tmpfs"}));
    EXPECT_EQ(mounts[5], (MountEntry{"/dev/vda", "/", "ext4"}));
    EXPECT_EQ(mounts[6], (MountEntry{"/dev/sdb1", "/media/usb stick", "vfat"}));

    using enum MountKind;
    const MountKind kinds[] = {NoStorage, NoStorage, NoStorage, RamDisk,
                               NoStorage, Fixed,     Removable};
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        EXPECT_EQ(mountKind(mounts[i]), kinds[i]) << mounts[i].mountPoint;
    }
    EXPECT_EQ(mountKind({"server:/home", "/home", "nfs4"}), Remote);
    EXPECT_EQ(mountKind({"/dev/sr0", "/mnt/cd", "iso9660"}), Optical);
    EXPECT_EQ(mountKind({"overlay", "/", "overlay"}), Fixed);
}

TEST(SystemFactsText, PrinterAndMonitor) {
    EXPECT_EQ(printerText({}), "");                          // no server
    EXPECT_EQ(printerText({true, 0, "", ""}), "");           // a server without printers
    EXPECT_EQ(printerText({true, 2, "", ""}), "?");          // printers, none the default
    EXPECT_EQ(printerText({true, 2, "laser", ""}), "laser"); // the default without info
    EXPECT_EQ(printerText({true, 2, "laser", "Office"}), "Office");

    EXPECT_EQ(monitorText(std::nullopt), "");
    EXPECT_EQ(monitorText(ScreenFacts{}), "?");
    EXPECT_EQ(monitorText(ScreenFacts{1920, 1080, 24, "XYZ", "Desk 24"}), "XYZ Desk 24");
    EXPECT_EQ(monitorText(ScreenFacts{1920, 1080, 24, "", "Panel"}), "Panel");
}

} // namespace
} // namespace veskor
