#pragma once
// Where the name-day and alarm files live.

#include <filesystem>
#include <functional>
#include <optional>

namespace veskor {

struct DataDirFacts {
    std::optional<std::filesystem::path> commandLine; // --data-dir
    std::optional<std::filesystem::path> environment; // $VESKOR_DATA_DIR
    std::filesystem::path executableDir;
    std::filesystem::path xdgDataHome;
    std::function<bool(const std::filesystem::path&)> holdsDataFiles;
    std::function<bool(const std::filesystem::path&)> isWritable;
};

// --data-dir, else $VESKOR_DATA_DIR, else the executable's folder when it already holds a data
// file or can be written, else $XDG_DATA_HOME/Orvane/Veskor Pro.
std::filesystem::path chooseDataDir(const DataDirFacts& facts);

} // namespace veskor
