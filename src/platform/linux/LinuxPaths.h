#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace veskor {

// The running executable, links resolved; empty when the system cannot say. The one place that
// asks: everything else that needs the program's own path or folder comes here.
std::filesystem::path programPath();
// Folder of the running executable (no trailing separator); the working folder when unknown.
std::filesystem::path executableDir();
// The environment variable, or nullopt when unset or empty.
std::optional<std::string> envValue(const char* name);
// $XDG_DATA_HOME, or ~/.local/share.
std::filesystem::path xdgDataHome();
// True when files can be created in dir (permissions and read-only mounts).
bool isWritableDir(const std::filesystem::path& dir);

} // namespace veskor
