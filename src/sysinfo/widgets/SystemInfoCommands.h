#pragma once
// The system information's commands for the command line.

#include "feature/Command.h"

#include <vector>

namespace veskor {

// `cpu` and `sysinfo`.
std::vector<CommandDescription> systemInfoCommands();

} // namespace veskor
