#pragma once
// The commands of the command line, registered here and nowhere else.

#include "feature/Command.h"

#include <vector>

namespace veskor {

// The bar's own command, then every feature's, in --help's order.
std::vector<CommandDescription> allCommands();

} // namespace veskor
