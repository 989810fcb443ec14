#pragma once
// The calculator's commands for the command line.

#include "feature/Command.h"

#include <vector>

namespace veskor {

// `calc [--value V] KEY...`.
std::vector<CommandDescription> calcCommands();

} // namespace veskor
