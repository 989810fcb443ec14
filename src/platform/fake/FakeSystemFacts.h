#pragma once
#include "platform/SystemFacts.h"

#include <map>

namespace veskor {

// Serves the facts set in its fields; the host name and the address list can fail.
class FakeSystemFacts final : public ISystemFacts {
public:
    std::string memInfo() override { return memInfoText; }
    std::optional<std::string> cpuInfo() override { return cpuInfoText; }
    std::string processStatus() override { return processStatusText; }
    std::string mmapMinAddress() override { return mmapMinAddressText; }
    std::int64_t pageSize() override { return pageBytes; }
    int processorsOnline() override { return processors; }
    KernelName kernelName() override { return kernel; }
    std::optional<std::string> osRelease() override { return osReleaseText; }
    std::string userName() override { return user; }
    std::optional<std::string> hostName() override {
        ++hostNameReads;
        return host;
    }
    std::string displayDriver() override { return driver; }
    std::optional<std::string> inputDevices() override { return inputDevicesText; }
    SoundListing soundListing() override { return sound; }
    PrinterFacts printers() override { return printer; }
    std::string mounts() override { return mountsText; }
    std::optional<FileSystemSpace> fileSystemSpace(const std::string& path) override {
        const auto it = spaces.find(path);
        return it == spaces.end() ? std::nullopt : std::optional(it->second);
    }
    std::vector<InterfaceAddress> interfaceAddresses() override { return addresses; }

    std::string memInfoText;
    std::optional<std::string> cpuInfoText;
    std::string processStatusText;
    std::string mmapMinAddressText;
    std::int64_t pageBytes = 4096;
    int processors = 1;
    KernelName kernel;
    std::optional<std::string> osReleaseText;
    std::string user;
    std::optional<std::string> host = "fakehost";
    int hostNameReads = 0;
    std::string driver;
    std::optional<std::string> inputDevicesText;
    SoundListing sound;
    PrinterFacts printer;
    std::string mountsText;
    std::map<std::string, FileSystemSpace> spaces; // statvfs fails for any other path
    std::vector<InterfaceAddress> addresses;
};

// Serves a screen, or no display.
class FakeScreenFacts final : public IScreenFacts {
public:
    std::optional<ScreenFacts> screen() override { return facts; }

    std::optional<ScreenFacts> facts;
};

} // namespace veskor
