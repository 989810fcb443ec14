#pragma once
// The facts of this machine and process that choose the data folder.

#include "common/DataDir.h"

namespace veskor {

// --data-dir, $VESKOR_DATA_DIR, the executable's folder and $XDG_DATA_HOME as they are now.
DataDirFacts systemDataDirFacts(std::optional<std::filesystem::path> commandLine);

} // namespace veskor
