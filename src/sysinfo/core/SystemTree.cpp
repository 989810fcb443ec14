#include "sysinfo/core/SystemTree.h"

#include "common/Error.h"
#include "common/NumberPattern.h"

#include <QCoreApplication>
#include <algorithm>

namespace veskor {

namespace {

// Blank for the tree's rules: nothing left once every character up to code 32 is trimmed.
bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

SystemTreeNode& add(std::vector<SystemTreeNode>& nodes, std::string text) {
    nodes.push_back({std::move(text), {}});
    return nodes.back();
}

void addUnlessBlank(std::vector<SystemTreeNode>& nodes, const std::string& text) {
    if (!isBlank(text)) {
        add(nodes, text);
    }
}

// A caption of the tree in the user's language, its %1 replaced by `value`.
std::string caption(const char* text, const std::string& value = {}) {
    QString translated = QCoreApplication::translate("SystemTree", text);
    if (translated.contains(QLatin1String("%1"))) {
        translated = translated.arg(QString::fromStdString(value));
    }
    return translated.toStdString();
}

std::string kilobytes(std::uint64_t bytes, std::string_view separator) {
    return formatNumberPattern("#,## KB", static_cast<std::int64_t>(bytes / 1024), separator);
}

void addProcessors(SystemTree& tree, const CpuInfo& cpu) {
    SystemTreeNode& root =
        add(tree, caption(QT_TRANSLATE_NOOP("SystemTree", "System processor(s)")));
    for (int i = 0; i < cpu.count(); ++i) {
        SystemTreeNode& processor = add(root.children, cpu.cpu());
        add(processor.children,
            caption(QT_TRANSLATE_NOOP("SystemTree", "Vendor: %1"), cpu.vendor()));
        add(processor.children,
            caption(QT_TRANSLATE_NOOP("SystemTree", "Speed: %1 MHz"), std::to_string(cpu.speed())));
        add(processor.children, caption(QT_TRANSLATE_NOOP("SystemTree", "Multimedia extension: %1"),
                                        yesNoText(cpu.mmx())));
        add(processor.children,
            caption(QT_TRANSLATE_NOOP("SystemTree", "Overdrive: %1"), yesNoText(cpu.overDrive())));
    }
}

void addSound(SystemTree& tree, const SoundDevices& sound) {
    SystemTreeNode& root = add(tree, caption(QT_TRANSLATE_NOOP("SystemTree", "Sound")));
    if (isBlank(sound.soundDevice)) {
        return;
    }
    SystemTreeNode& device = add(root.children, sound.soundDevice);
    SystemTreeNode& wave = add(device.children, "Wave");
    addUnlessBlank(wave.children, sound.waveIn);
    addUnlessBlank(wave.children, sound.waveOut);
    SystemTreeNode& midi = add(device.children, "MIDI");
    addUnlessBlank(midi.children, sound.midiIn);
    addUnlessBlank(midi.children, sound.midiOut);
    addUnlessBlank(add(device.children, "AUX").children, sound.aux);
    addUnlessBlank(add(device.children, caption(QT_TRANSLATE_NOOP("SystemTree", "Mixer"))).children,
                   sound.mixer);
}

void addText(std::string& out, const std::vector<SystemTreeNode>& nodes, int level) {
    for (const SystemTreeNode& node : nodes) {
        out.append(static_cast<std::size_t>(level) * 2, ' ');
        out += node.text;
        out += '\n';
        addText(out, node.children, level + 1);
    }
}

} // namespace

std::string yesNoText(bool flag) {
    return flag ? caption(QT_TRANSLATE_NOOP("SystemTree", "Yes"))
                : caption(QT_TRANSLATE_NOOP("SystemTree", "No"));
}

std::string localHostName(ISystemFacts& facts) {
    const std::optional<std::string> name = facts.hostName();
    if (!name) {
        throw Error("Winsock.GetHostName failed");
    }
    return *name;
}

std::vector<std::string> localIpList(ISystemFacts& facts) {
    localHostName(facts);
    std::vector<std::string> list;
    for (const InterfaceAddress& address : facts.interfaceAddresses()) {
        if (address.up && !address.loopback) {
            list.push_back(address.address);
        }
    }
    return list;
}

void fillSystemTree(SystemTree& tree, const SystemInfo& info, const CpuInfo& cpu,
                    const std::function<std::string()>& hostName,
                    const std::function<std::vector<std::string>()>& ipList,
                    std::string_view thousandsSeparator) {
    tree.clear();
    addProcessors(tree, cpu);

    SystemTreeNode& memory = add(tree, caption(QT_TRANSLATE_NOOP("SystemTree", "Memory")));
    add(memory.children, caption(QT_TRANSLATE_NOOP("SystemTree", "RAM: %1"),
                                 kilobytes(info.memory().totalPhys, thousandsSeparator)));
    add(memory.children, caption(QT_TRANSLATE_NOOP("SystemTree", "Page file: %1"),
                                 kilobytes(info.memory().totalSwap, thousandsSeparator)));

    const SystemInfo::Display& display = info.display();
    SystemTreeNode& video = add(tree, caption(QT_TRANSLATE_NOOP("SystemTree", "Video")));
    add(add(video.children, display.displayDevice).children,
        caption(QT_TRANSLATE_NOOP("SystemTree", "Resolution: %1bit"),
                std::to_string(display.screenWidth) + "x" + std::to_string(display.screenHeight) +
                    "-" + std::to_string(display.resolution)));
    addUnlessBlank(
        add(video.children, caption(QT_TRANSLATE_NOOP("SystemTree", "Monitor"))).children,
        info.peripherals().monitor);

    addUnlessBlank(add(tree, caption(QT_TRANSLATE_NOOP("SystemTree", "Printer"))).children,
                   info.peripherals().printer);
    addSound(tree, info.sound());

    const SystemInfo::Os& os = info.os();
    SystemTreeNode& system =
        add(tree, caption(QT_TRANSLATE_NOOP("SystemTree", "Operating system")));
    add(system.children, caption(QT_TRANSLATE_NOOP("SystemTree", "Platform: %1"),
                                 platformName(os.platformId) + " (" + os.versionName + ")"));
    add(system.children,
        caption(QT_TRANSLATE_NOOP("SystemTree", "Version: %1"),
                std::to_string(os.majorVersion) + "." + std::to_string(os.minorVersion)));
    add(system.children,
        caption(QT_TRANSLATE_NOOP("SystemTree", "Build: %1"), std::to_string(os.buildNumber)));
    add(system.children, "CSD: " + os.kernelBuild);
    add(system.children, caption(QT_TRANSLATE_NOOP("SystemTree", "File system: %1"),
                                 info.selectedMount().fileSystem));

    // The root vector may still grow, so the machine node is reached by its index.
    add(tree, caption(QT_TRANSLATE_NOOP("SystemTree", "Machine")));
    const std::string name = hostName();
    add(tree.back().children, caption(QT_TRANSLATE_NOOP("SystemTree", "Name: %1"), name));
    add(tree.back().children, caption(QT_TRANSLATE_NOOP("SystemTree", "IP Addresses")));
    for (std::string& address : ipList()) {
        add(tree.back().children.back().children, std::move(address));
    }
}

std::string systemTreeText(const SystemTree& tree) {
    std::string text;
    addText(text, tree, 0);
    return text;
}

int runSystemInfoCommand(ISystemFacts& facts, IScreenFacts& screen, IProcessor& processor,
                         std::string_view thousandsSeparator, std::ostream& out,
                         std::ostream& err) {
    const SystemInfo info(facts, screen);
    CpuInfo cpu(processor);
    cpu.measureSpeed();
    SystemTree tree;
    try {
        fillSystemTree(
            tree, info, cpu, [&facts] { return localHostName(facts); },
            [&facts] { return localIpList(facts); }, thousandsSeparator);
    } catch (const Error& e) {
        out << systemTreeText(tree);
        err << "veskor: " << e.what() << '\n';
        return 1;
    }
    out << systemTreeText(tree);
    return 0;
}

} // namespace veskor
