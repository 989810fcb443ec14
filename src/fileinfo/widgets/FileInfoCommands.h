#pragma once
// The file information's commands for the command line.

#include "feature/Command.h"

#include <vector>

namespace veskor {

// `fileinfo FILE`.
std::vector<CommandDescription> fileInfoCommands();

} // namespace veskor
