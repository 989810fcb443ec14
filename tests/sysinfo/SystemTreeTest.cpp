// The tree: order, nesting and texts of every node, the rules that skip blank devices, the
// host name and address list with their errors, and the command that prints it.

#include "sysinfo/core/SystemTree.h"

#include "Samples.h"
#include "common/Error.h"
#include "platform/fake/FakeProcessor.h"
#include "platform/fake/FakeSystemFacts.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

// Two Pentium MMX processors at 166 MHz.
FakeProcessor twoProcessors() {
    FakeProcessor processor =
        FakeProcessor::fromDump("00000000 00000001 756e6547 6c65746e 49656e69\n"
                                "00000001 00000543 00000000 00000000 00800000\n");
    processor.count = 2;
    processor.mhz = 166.2;
    return processor;
}

// A desktop: the hand-written sound listings, a named monitor, a printer, two addresses.
struct Desktop {
    FakeSystemFacts facts;
    FakeScreenFacts screen;
    FakeProcessor processor = twoProcessors();

    Desktop() {
        const auto sample = test::loadSample("desktop-two-cards.txt");
        facts.memInfoText = "MemTotal: 66248704 kB\nSwapTotal: 1999996 kB\n";
        facts.kernel = {"Linux", "6.1.0-18-amd64", "#1 SMP Debian 6.1.76-1", "x86_64"};
        facts.osReleaseText = "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n";
        facts.driver = "amdgpu";
        // Playback and capture on devices of their own, so that their order shows.
        facts.sound = {sample.at("cards"),
                       "00-00: Out : Speakers : playback 1\n00-01: In : Microphone : capture 1\n",
                       sample.at("devices"), sample.at("version"), sample.at("midi")};
        facts.printer = {true, 1, "laser", "Office Laser"};
        facts.mountsText = "/dev/nvme0n1p2 / ext4 rw 0 0\n";
        facts.spaces["/"] = {4096, 100, 50, 7};
        facts.host = "desk";
        facts.addresses = {{"lo", "127.0.0.1", true, true},
                           {"eth0", "192.168.1.20", true, false},
                           {"wlan0", "10.0.0.5", false, false},
                           {"eth1", "172.16.0.2", true, false}};
        screen.facts = ScreenFacts{1920, 1080, 24, "XYZ", "Desk 24"};
    }

    // The tree as the panel fills it, in a locale that groups with sep.
    SystemTree tree(const std::string& sep = ",") {
        const SystemInfo info(facts, screen);
        CpuInfo cpu(processor);
        cpu.measureSpeed();
        SystemTree result;
        fillSystemTree(
            result, info, cpu, [this] { return localHostName(facts); },
            [this] { return localIpList(facts); }, sep);
        return result;
    }
    std::string text() { return systemTreeText(tree()); }
};

const SystemTreeNode& root(const SystemTree& tree, const std::string& text) {
    for (const SystemTreeNode& node : tree) {
        if (node.text == text) {
            return node;
        }
    }
    throw std::runtime_error("no node " + text);
}

TEST(SystemTree, EveryNodeInOrderAndNesting) {
    Desktop desktop;
    EXPECT_EQ(desktop.text(), R"(System processor(s)
  Pentium MMX
    Vendor: Intel Corporation
    Speed: 166 MHz
    Multimedia extension: Yes
    Overdrive: No
  Pentium MMX
    Vendor: Intel Corporation
    Speed: 166 MHz
    Multimedia extension: Yes
    Overdrive: No
Memory
  RAM: 66,248,704 KB
  Page file: 1,999,996 KB
Video
  amdgpu
    Resolution: 1920x1080-24bit
  Monitor
    XYZ Desk 24
Printer
  Office Laser
Sound
  HD-Audio Generic
    Wave
      Microphone v6.1
      Speakers v6.1
    MIDI
      USB MIDI Keyboard MIDI 1 v6.1
      USB MIDI Keyboard MIDI 1 v6.1
    AUX
    Mixer
      HD-Audio Generic v6.1
Operating system
  Platform: Linux (Debian GNU/Linux 12 (bookworm))
  Version: 6.1
  Build: 0
  CSD: #1 SMP Debian 6.1.76-1
  File system: ext4
Machine
  Name: desk
  IP Addresses
    192.168.1.20
    172.16.0.2
)");
}

TEST(SystemTree, MemoryInTheLocalesGroupsOfKilobytes) {
    Desktop desktop;
    desktop.facts.memInfoText = "MemTotal: 1023 kB\nSwapTotal: 0 kB\n";
    const SystemTreeNode memory = root(desktop.tree("\u00a0"), "Memory");
    EXPECT_EQ(memory.children[0].text, "RAM: 1\u00a0023 KB");
    EXPECT_EQ(memory.children[1].text, "Page file: 0 KB");
}

TEST(SystemTree, BlankDevicesAreSkippedAndTheRestShownAsTheyAre) {
    Desktop desktop;
    desktop.screen.facts->manufacturer = "";
    desktop.screen.facts->model = "";
    desktop.facts.printer = {true, 3, "", ""};
    desktop.facts.sound.pcm.reset(); // a card without wave devices
    desktop.facts.sound.firstMidi = "";
    desktop.processor.count = 0;
    SystemTree tree = desktop.tree();
    EXPECT_EQ(root(tree, "System processor(s)").children.size(), 0U);
    EXPECT_EQ(root(tree, "Video").children[1].children, (std::vector{SystemTreeNode{"?", {}}}));
    EXPECT_EQ(root(tree, "Printer").children, (std::vector{SystemTreeNode{"?", {}}}));
    const SystemTreeNode& card = root(tree, "Sound").children.at(0);
    EXPECT_EQ(card.children.size(), 4U);
    EXPECT_EQ(card.children[0], (SystemTreeNode{"Wave", {}}));
    EXPECT_EQ(card.children[1], (SystemTreeNode{"MIDI", {}}));

    // Control characters count as blank; a text that is not blank keeps its blanks.
    desktop.screen.facts->model = "\x01\x1f";
    desktop.facts.printer = {true, 1, "laser", " Office\t"};
    // No sound driver: "Sound" alone.
    desktop.facts.sound = {};
    tree = desktop.tree();
    EXPECT_EQ(root(tree, "Video").children[1], (SystemTreeNode{"Monitor", {}}));
    EXPECT_EQ(root(tree, "Printer").children, (std::vector{SystemTreeNode{" Office\t", {}}}));
    EXPECT_EQ(root(tree, "Sound").children.size(), 0U);
}

TEST(SystemTree, OperatingSystemWithMissingTexts) {
    Desktop desktop;
    desktop.facts.kernel.version = "";
    desktop.facts.osReleaseText = "NAME=Debian\n";
    desktop.facts.spaces.clear();
    const SystemTreeNode os = root(desktop.tree(), "Operating system");
    EXPECT_EQ(os.children[0].text, "Platform: Linux (?)");
    EXPECT_EQ(os.children[3].text, "CSD: ");
    EXPECT_EQ(os.children[4].text, "File system: ?");
}

TEST(SystemTree, AHostWithoutAddressesHasNoAddressNodes) {
    Desktop desktop;
    desktop.facts.addresses.resize(1); // the loopback only
    const SystemTreeNode machine = root(desktop.tree(), "Machine");
    EXPECT_EQ(machine.children,
              (std::vector{SystemTreeNode{"Name: desk", {}}, SystemTreeNode{"IP Addresses", {}}}));
}

TEST(SystemTree, AHostNameThatCannotBeReadStopsTheFillingAtTheMachine) {
    Desktop desktop;
    desktop.facts.host.reset();
    const SystemInfo info(desktop.facts, desktop.screen);
    const CpuInfo cpu(desktop.processor);
    SystemTree tree{{"stale", {}}};
    try {
        fillSystemTree(
            tree, info, cpu, [&] { return localHostName(desktop.facts); },
            [&] { return localIpList(desktop.facts); }, ",");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Winsock.GetHostName failed");
    }
    ASSERT_EQ(tree.size(), 7U);
    EXPECT_EQ(tree.front().text, "System processor(s)");
    EXPECT_EQ(tree.back(), (SystemTreeNode{"Machine", {}}));

    // The address list asks for the name first.
    EXPECT_THROW(localIpList(desktop.facts), Error);
}

TEST(SystemTree, CommandPrintsTheTreeAndReportsItsError) {
    Desktop desktop;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runSystemInfoCommand(desktop.facts, desktop.screen, desktop.processor, ",", out, err),
              0);
    EXPECT_EQ(out.str(), desktop.text());
    EXPECT_EQ(err.str(), "");

    desktop.facts.host.reset();
    out.str("");
    EXPECT_EQ(runSystemInfoCommand(desktop.facts, desktop.screen, desktop.processor, ",", out, err),
              1);
    EXPECT_TRUE(out.str().ends_with("File system: ext4\nMachine\n")) << out.str();
    EXPECT_EQ(err.str(), "veskor: Winsock.GetHostName failed\n");
}

} // namespace
} // namespace veskor
