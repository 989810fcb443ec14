#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace veskor {

// Folder of the running executable (no trailing separator).
std::filesystem::path ExecutableDir();
// The environment variable, or nullopt when unset or empty.
std::optional<std::string> EnvValue(const char* name);
// $XDG_DATA_HOME, or ~/.local/share.
std::filesystem::path XdgDataHome();
// True when files can be created in dir (permissions and read-only mounts).
bool IsWritableDir(const std::filesystem::path& dir);

} // namespace veskor
