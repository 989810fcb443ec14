#pragma once
// The calendar's commands for the command line.

#include "feature/Command.h"

#include <vector>

namespace veskor {

// `moon [DATE]` and `month YYYY-MM`.
std::vector<CommandDescription> calendarCommands();

} // namespace veskor
