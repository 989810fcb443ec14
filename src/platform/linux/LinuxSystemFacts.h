#pragma once
#include "platform/SystemFacts.h"

namespace veskor {

// /proc, /sys, sysconf, uname, getifaddrs and the print server of this Linux machine.
class LinuxSystemFacts final : public ISystemFacts {
public:
    std::string memInfo() override;
    std::optional<std::string> cpuInfo() override;
    std::string processStatus() override;
    std::string mmapMinAddress() override;
    std::int64_t pageSize() override;
    int processorsOnline() override;
    KernelName kernelName() override;
    std::optional<std::string> osRelease() override;
    std::string userName() override;
    std::optional<std::string> hostName() override;
    std::string displayDriver() override;
    std::optional<std::string> inputDevices() override;
    SoundListing soundListing() override;
    PrinterFacts printers() override;
    std::string mounts() override;
    std::optional<FileSystemSpace> fileSystemSpace(const std::string& path) override;
    std::vector<InterfaceAddress> interfaceAddresses() override;
};

} // namespace veskor
