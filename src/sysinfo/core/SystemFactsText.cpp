#include "sysinfo/core/SystemFactsText.h"

#include <algorithm>
#include <charconv>

namespace veskor {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view trim(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

// Calls line(text) for each line, without its end.
template <typename Line> void forEachLine(std::string_view text, Line line) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (!line(text.substr(0, end))) {
            return;
        }
        if (end == std::string_view::npos) {
            return;
        }
        text.remove_prefix(end + 1);
    }
}

// The decimal number text starts with; nullopt when it starts otherwise or overflows.
template <typename Number> std::optional<Number> leadingNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

std::string unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
        return std::string(value.substr(1, value.size() - 2));
    }
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return std::string(value);
    }
    std::string text;
    value = value.substr(1, value.size() - 2);
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            ++i;
        }
        text += value[i];
    }
    return text;
}

// "\040" and friends: mount points with blanks.
std::string unescapeOctal(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto isOctal = [&](std::size_t at) {
            return at < text.size() && text[at] >= '0' && text[at] <= '7';
        };
        if (text[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            out += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                     (text[i + 3] - '0'));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string_view> splitBlanks(std::string_view line) {
    std::vector<std::string_view> words;
    while (true) {
        const std::size_t begin = line.find_first_not_of(" \t");
        if (begin == std::string_view::npos) {
            return words;
        }
        line.remove_prefix(begin);
        const std::size_t end = line.find_first_of(" \t");
        words.push_back(line.substr(0, end));
        if (end == std::string_view::npos) {
            return words;
        }
        line.remove_prefix(end);
    }
}

// Card lines of /proc/asound/cards: " 0 [PCH            ]: HDA-Intel - HDA Intel PCH".
// Returns the name after " - " of the first card; nullopt when no card is listed.
std::optional<std::string> firstCardName(std::string_view cards) {
    std::optional<std::string> name;
    forEachLine(cards, [&](std::string_view line) {
        const std::string_view text = trim(line);
        const std::size_t bracket = text.find(" [");
        if (text.empty() || !leadingNumber<int>(text) || bracket == std::string_view::npos ||
            text.find("]:", bracket) == std::string_view::npos) {
            return true;
        }
        const std::string_view rest = text.substr(text.find("]:", bracket) + 2);
        const std::size_t dash = rest.find(" - ");
        name = dash == std::string_view::npos ? std::string()
                                              : std::string(trim(rest.substr(dash + 3)));
        return false;
    });
    return name;
}

} // namespace

std::optional<int> fieldNumber(const TextFields& fields, std::string_view key) {
    const auto it = fields.find(key);
    return it == fields.end() ? std::nullopt : leadingNumber<int>(it->second);
}

TextFields parseOsRelease(std::string_view text) {
    TextFields fields;
    forEachLine(text, [&](std::string_view line) {
        line = trim(line);
        const std::size_t equals = line.find('=');
        if (!line.empty() && line.front() != '#' && equals != std::string_view::npos) {
            fields[std::string(trim(line.substr(0, equals)))] =
                unquote(trim(line.substr(equals + 1)));
        }
        return true;
    });
    return fields;
}

TextFields firstProcessorFields(std::string_view cpuinfo) {
    TextFields fields;
    forEachLine(cpuinfo, [&](std::string_view line) {
        if (trim(line).empty()) {
            return fields.empty(); // a blank line ends the first processor's block
        }
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos) {
            fields.emplace(trim(line.substr(0, colon)), trim(line.substr(colon + 1)));
        }
        return true;
    });
    return fields;
}

int virtualAddressBits(const TextFields& processor) {
    const auto it = processor.find("address sizes");
    if (it == processor.end()) {
        return 0;
    }
    const std::string_view sizes = it->second;
    const std::size_t comma = sizes.find(',');
    if (comma == std::string_view::npos || sizes.find("virtual", comma) == std::string_view::npos) {
        return 0;
    }
    return leadingNumber<int>(trim(sizes.substr(comma + 1))).value_or(0);
}

KernelVersion parseKernelRelease(std::string_view release) {
    int parts[3] = {};
    for (int& part : parts) {
        const auto number = leadingNumber<int>(release);
        if (!number) {
            break;
        }
        part = *number;
        const std::size_t dot = release.find_first_not_of("0123456789");
        if (dot == std::string_view::npos || release[dot] != '.') {
            break;
        }
        release.remove_prefix(dot + 1);
    }
    return {parts[0], parts[1], parts[2]};
}

std::uint16_t architectureCode(std::string_view machine) {
    if (machine == "x86_64") {
        return 9;
    }
    if (machine.size() == 4 && machine.front() == 'i' && machine.ends_with("86")) {
        return 0;
    }
    if (machine == "aarch64" || machine == "arm64") {
        return 12;
    }
    if (machine.starts_with("arm")) {
        return 5;
    }
    if (machine == "ia64") {
        return 6;
    }
    return 0xFFFF;
}

int processorTypeCode(std::string_view machine) {
    if (machine == "x86_64") {
        return 8664;
    }
    if (machine == "i386" || machine == "i486") {
        return machine == "i386" ? 386 : 486;
    }
    if (machine == "i586" || machine == "i686") {
        return 586;
    }
    if (machine == "ia64") {
        return 2200;
    }
    return 0;
}

std::optional<std::uint64_t> statusBytes(std::string_view status, std::string_view key) {
    std::optional<std::uint64_t> bytes;
    forEachLine(status, [&](std::string_view line) {
        if (!line.starts_with(key) || line.substr(key.size()).find(':') != 0) {
            return true;
        }
        const auto kb = leadingNumber<std::uint64_t>(trim(line.substr(key.size() + 1)));
        if (kb && *kb <= UINT64_MAX / 1024) {
            bytes = *kb * 1024;
        }
        return false;
    });
    return bytes;
}

std::string firstMouseName(std::string_view devices) {
    std::string name; // of the block being read
    std::string mouse;
    forEachLine(devices, [&](std::string_view line) {
        if (trim(line).empty()) {
            name.clear();
        } else if (line.starts_with("N: Name=")) {
            name = unquote(trim(line.substr(8)));
        } else if (line.starts_with("H: Handlers=")) {
            for (const std::string_view handler : splitBlanks(line.substr(12))) {
                if (handler.starts_with("mouse") && !name.empty()) {
                    mouse = name;
                    return false;
                }
            }
        }
        return true;
    });
    return mouse;
}

std::string driverVersionSuffix(std::string_view version) {
    for (std::size_t i = 0; i < version.size(); ++i) {
        if (version[i] < '0' || version[i] > '9' ||
            (i > 0 && version[i - 1] >= '0' && version[i - 1] <= '9')) {
            continue;
        }
        const std::string_view rest = version.substr(i);
        const std::size_t dot = rest.find_first_not_of("0123456789");
        if (dot == std::string_view::npos || rest[dot] != '.') {
            continue;
        }
        const auto major = leadingNumber<int>(rest);
        const auto minor = leadingNumber<int>(rest.substr(dot + 1));
        if (major && minor) {
            return " v" + std::to_string(*major) + "." + std::to_string(*minor);
        }
    }
    return {};
}

SoundDevices decodeSound(const SoundListing& listing) {
    SoundDevices sound;
    const std::optional<std::string> card = firstCardName(listing.cards.value_or(""));
    if (card) {
        sound.soundDevice = card->empty() ? "?" : *card;
    }
    const std::string suffix = driverVersionSuffix(listing.version.value_or(""));
    const auto named = [&suffix](std::string_view name) {
        return name.empty() ? std::string() : std::string(name) + suffix;
    };

    // "00-00: ALC892 Analog : ALC892 Analog : playback 1 : capture 1"
    forEachLine(listing.pcm.value_or(""), [&](std::string_view line) {
        const std::size_t head = line.find(": ");
        if (head == std::string_view::npos) {
            return true;
        }
        std::vector<std::string_view> fields;
        std::string_view rest = line.substr(head + 2);
        for (std::size_t at = rest.find(" : "); at != std::string_view::npos;
             at = rest.find(" : ")) {
            fields.push_back(rest.substr(0, at));
            rest.remove_prefix(at + 3);
        }
        fields.push_back(rest);
        if (fields.size() < 2) {
            return true;
        }
        const std::string_view name = trim(fields[1]);
        for (std::size_t i = 2; i < fields.size(); ++i) {
            if (fields[i].starts_with("playback") && sound.waveOut.empty()) {
                sound.waveOut = named(name);
            } else if (fields[i].starts_with("capture") && sound.waveIn.empty()) {
                sound.waveIn = named(name);
            }
        }
        return true;
    });

    // The port's name, then an "Output N" and/or an "Input N" section.
    std::string_view midi = listing.firstMidi;
    const std::string_view midiName = trim(midi.substr(0, midi.find('\n')));
    forEachLine(midi, [&](std::string_view line) {
        if (line.starts_with("Output ")) {
            sound.midiOut = named(midiName);
        } else if (line.starts_with("Input ")) {
            sound.midiIn = named(midiName);
        }
        return true;
    });

    // "  5: [ 0]   : control" is the first card's mixer.
    forEachLine(listing.devices.value_or(""), [&](std::string_view line) {
        const std::vector<std::string_view> words = splitBlanks(line);
        const bool control = !words.empty() && words.back() == "control";
        if (control && line.find("[ 0]") != std::string_view::npos && card && !card->empty()) {
            sound.mixer = named(*card);
            return false;
        }
        return true;
    });
    return sound;
}

std::vector<MountEntry> parseMounts(std::string_view text) {
    std::vector<MountEntry> mounts;
    forEachLine(text, [&](std::string_view line) {
        const std::vector<std::string_view> words = splitBlanks(line);
        if (words.size() < 3) {
            return true;
        }
        MountEntry entry{unescapeOctal(words[0]), unescapeOctal(words[1]), std::string(words[2])};
        const auto same = std::find_if(mounts.begin(), mounts.end(), [&](const MountEntry& m) {
            return m.mountPoint == entry.mountPoint;
        });
        if (same == mounts.end()) {
            mounts.push_back(std::move(entry));
        } else {
            *same = std::move(entry);
        }
        return true;
    });
    return mounts;
}

MountKind mountKind(const MountEntry& mount) {
    static constexpr std::string_view kPseudo[] = {
        "autofs",    "binfmt_misc", "bpf",      "cgroup",          "cgroup2",    "configfs",
        "debugfs",   "devpts",      "devtmpfs", "efivarfs",        "fusectl",    "hugetlbfs",
        "mqueue",    "nsfs",        "proc",     "pstore",          "rpc_pipefs", "securityfs",
        "selinuxfs", "sysfs",       "tracefs",  "fuse.gvfsd-fuse", "fuse.portal"};
    static constexpr std::string_view kRemote[] = {"nfs", "nfs4", "cifs", "smb3",      "smbfs",
                                                   "9p",  "afs",  "ceph", "fuse.sshfs"};
    static constexpr std::string_view kOptical[] = {"iso9660", "udf"};
    static constexpr std::string_view kRam[] = {"tmpfs", "ramfs"};
    const auto among = [&mount](const auto& list) {
        return std::find(std::begin(list), std::end(list), mount.type) != std::end(list);
    };
    if (among(kPseudo)) {
        return MountKind::NoStorage;
    }
    if (among(kRemote)) {
        return MountKind::Remote;
    }
    if (among(kOptical)) {
        return MountKind::Optical;
    }
    if (among(kRam)) {
        return MountKind::RamDisk;
    }
    if (mount.mountPoint.starts_with("/media/") || mount.mountPoint.starts_with("/run/media/")) {
        return MountKind::Removable;
    }
    return MountKind::Fixed;
}

std::string printerText(const PrinterFacts& printers) {
    if (!printers.serverAnswered || printers.destinations == 0) {
        return {};
    }
    if (printers.defaultName.empty()) {
        return "?";
    }
    return printers.defaultInfo.empty() ? printers.defaultName : printers.defaultInfo;
}

std::string monitorText(const std::optional<ScreenFacts>& screen) {
    if (!screen) {
        return {};
    }
    const std::string text(trim(screen->manufacturer + " " + screen->model));
    return text.empty() ? "?" : text;
}

} // namespace veskor
