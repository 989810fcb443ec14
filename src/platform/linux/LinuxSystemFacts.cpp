#include "platform/linux/LinuxSystemFacts.h"

#include "platform/linux/LazyLibrary.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cups/cups.h>
#include <fcntl.h>
#include <filesystem>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace veskor {

namespace {

namespace fs = std::filesystem;

// Files under /proc report a size of 0, so they are read until the end, not by their size.
// Nothing read here is larger than a few hundred kilobytes; the cap guards against surprises.
std::optional<std::string> readText(const char* path) {
    constexpr std::size_t kMaxBytes = 4 << 20;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0 || text.size() > kMaxBytes) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

// The entries of a folder whose names start with prefix, in name order; none if it is missing.
std::vector<fs::path> entriesStartingWith(const fs::path& folder, const std::string& prefix) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(prefix)) {
            found.push_back(it->path());
        }
    }
    // "card10" after "card9": shorter names first, then by name.
    std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
        const std::string x = a.filename().string();
        const std::string y = b.filename().string();
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    });
    return found;
}

} // namespace

std::string LinuxSystemFacts::memInfo() {
    return readText("/proc/meminfo").value_or(std::string());
}

std::optional<std::string> LinuxSystemFacts::cpuInfo() {
    return readText("/proc/cpuinfo");
}

std::string LinuxSystemFacts::processStatus() {
    return readText("/proc/self/status").value_or(std::string());
}

std::string LinuxSystemFacts::mmapMinAddress() {
    return readText("/proc/sys/vm/mmap_min_addr").value_or(std::string());
}

std::int64_t LinuxSystemFacts::pageSize() {
    return ::sysconf(_SC_PAGESIZE);
}

int LinuxSystemFacts::processorsOnline() {
    return static_cast<int>(std::max(1L, ::sysconf(_SC_NPROCESSORS_ONLN)));
}

KernelName LinuxSystemFacts::kernelName() {
    struct utsname names {};
    if (::uname(&names) != 0) {
        return {};
    }
    return {names.sysname, names.release, names.version, names.machine};
}

std::optional<std::string> LinuxSystemFacts::osRelease() {
    // The file's own rule: /etc first, the vendor's copy under /usr/lib when /etc has none.
    std::optional<std::string> text = readText("/etc/os-release");
    return text ? text : readText("/usr/lib/os-release");
}

std::string LinuxSystemFacts::userName() {
    const long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_name == nullptr) {
        return {};
    }
    return found->pw_name;
}

std::optional<std::string> LinuxSystemFacts::hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return std::nullopt;
    }
    return std::string(name);
}

std::string LinuxSystemFacts::displayDriver() {
    for (const fs::path& card : entriesStartingWith("/sys/class/drm", "card")) {
        // "card0-HDMI-A-1" and the like are the card's connectors.
        if (card.filename().string().find('-') != std::string::npos) {
            continue;
        }
        std::error_code ec;
        const fs::path driver = fs::read_symlink(card / "device" / "driver", ec);
        if (!ec) {
            return driver.filename().string();
        }
    }
    return {};
}

std::optional<std::string> LinuxSystemFacts::inputDevices() {
    return readText("/proc/bus/input/devices");
}

SoundListing LinuxSystemFacts::soundListing() {
    SoundListing listing;
    listing.cards = readText("/proc/asound/cards");
    listing.pcm = readText("/proc/asound/pcm");
    listing.devices = readText("/proc/asound/devices");
    listing.version = readText("/proc/asound/version");
    for (const fs::path& card : entriesStartingWith("/proc/asound", "card")) {
        const std::vector<fs::path> ports = entriesStartingWith(card, "midi");
        if (!ports.empty()) {
            listing.firstMidi = readText(ports.front().c_str()).value_or(std::string());
            break;
        }
    }
    return listing;
}

namespace {

// No print library means no print system: no printer.
struct Cups {
    decltype(&::httpConnect2) connect = nullptr;
    decltype(&::cupsServer) server = nullptr;
    decltype(&::ippPort) port = nullptr;
    decltype(&::cupsEncryption) encryption = nullptr;
    decltype(&::httpSetTimeout) setTimeout = nullptr;
    decltype(&::cupsGetDests2) getDests = nullptr;
    decltype(&::cupsGetOption) getOption = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::httpClose) close = nullptr;
};

bool bindCups(const LibrarySymbols& symbol, Cups& cups) {
    return symbol("httpConnect2", cups.connect) && symbol("cupsServer", cups.server) &&
           symbol("ippPort", cups.port) && symbol("cupsEncryption", cups.encryption) &&
           symbol("httpSetTimeout", cups.setTimeout) && symbol("cupsGetDests2", cups.getDests) &&
           symbol("cupsGetOption", cups.getOption) && symbol("cupsFreeDests", cups.freeDests) &&
           symbol("httpClose", cups.close);
}

} // namespace

PrinterFacts LinuxSystemFacts::printers() {
    PrinterFacts facts;
    static const LazyLibrary<Cups> library({"libcups.so.2"}, bindCups);
    const Cups* const cups = library.functions();
    if (cups == nullptr) {
        return facts;
    }
    // An explicit connection with a short timeout: with no server, or one that does not
    // answer, the panel must not wait for the library's own, much longer, timeouts.
    constexpr int kConnectMs = 1000;
    http_t* http = cups->connect(cups->server(), cups->port(), nullptr, AF_UNSPEC,
                                 cups->encryption(), 1, kConnectMs, nullptr);
    if (http == nullptr) {
        return facts;
    }
    facts.serverAnswered = true;
    // A server that takes the connection and then says nothing gives up after this.
    cups->setTimeout(http, 1.0, nullptr, nullptr);
    cups_dest_t* dests = nullptr;
    const int count = cups->getDests(http, &dests);
    facts.destinations = std::max(count, 0);
    for (int i = 0; i < count; ++i) {
        if (dests[i].is_default != 0) {
            facts.defaultName = dests[i].name;
            const char* info =
                cups->getOption("printer-info", dests[i].num_options, dests[i].options);
            facts.defaultInfo = info != nullptr ? info : "";
            break;
        }
    }
    cups->freeDests(count, dests);
    cups->close(http);
    return facts;
}

std::string LinuxSystemFacts::mounts() {
    return readText("/proc/self/mounts").value_or(std::string());
}

std::optional<FileSystemSpace> LinuxSystemFacts::fileSystemSpace(const std::string& path) {
    struct statvfs64 info {};
    if (::statvfs64(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileSystemSpace{info.f_frsize != 0 ? info.f_frsize : info.f_bsize, info.f_blocks,
                           info.f_bavail, info.f_fsid};
}

std::vector<InterfaceAddress> LinuxSystemFacts::interfaceAddresses() {
    std::vector<InterfaceAddress> addresses;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return addresses;
    }
    for (const ifaddrs* it = list; it != nullptr; it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_INET) {
            continue;
        }
        char text[INET_ADDRSTRLEN] = {};
        const auto* in = reinterpret_cast<const sockaddr_in*>(it->ifa_addr);
        if (::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) == nullptr) {
            continue;
        }
        addresses.push_back({it->ifa_name != nullptr ? it->ifa_name : "", text,
                             (it->ifa_flags & IFF_UP) != 0, (it->ifa_flags & IFF_LOOPBACK) != 0});
    }
    ::freeifaddrs(list);
    return addresses;
}

} // namespace veskor
