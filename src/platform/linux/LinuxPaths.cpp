#include "platform/linux/LinuxPaths.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace veskor {

std::filesystem::path programPath() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe;
}

std::filesystem::path executableDir() {
    const std::filesystem::path exe = programPath();
    if (exe.empty()) {
        std::error_code ec;
        return std::filesystem::current_path(ec);
    }
    return exe.parent_path();
}

std::optional<std::string> envValue(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::filesystem::path xdgDataHome() {
    if (auto data = envValue("XDG_DATA_HOME")) {
        return *data;
    }
    if (auto home = envValue("HOME")) {
        return std::filesystem::path(*home) / ".local" / "share";
    }
    return ".local/share";
}

bool isWritableDir(const std::filesystem::path& dir) {
    // access() alone says yes to root on any folder; a read-only mount still answers EROFS.
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

} // namespace veskor
