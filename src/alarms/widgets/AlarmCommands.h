#pragma once
// The alarm feature's commands for the command line.

#include "feature/Command.h"

#include <vector>

namespace veskor {

// `alarms [--due HH:MM]`.
std::vector<CommandDescription> alarmCommands();

} // namespace veskor
