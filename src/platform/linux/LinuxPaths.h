#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace veskor {

// Folder of the running executable (no trailing separator).
std::filesystem::path executableDir();
// The environment variable, or nullopt when unset or empty.
std::optional<std::string> envValue(const char* name);
// $XDG_DATA_HOME, or ~/.local/share.
std::filesystem::path xdgDataHome();
// True when files can be created in dir (permissions and read-only mounts).
bool isWritableDir(const std::filesystem::path& dir);

} // namespace veskor
