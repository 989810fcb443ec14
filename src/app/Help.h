#pragma once
// The --help text and the manual page's command list, both from the commands' descriptions.

#include "app/CommandLine.h"

#include <string>
#include <vector>

namespace veskor {

// The --help text.
std::string usage(const CommandWords& words);

// The manual page's entries of the commands, in its markup: one tagged paragraph each, the usage
// line in bold words and italic placeholders.
std::string manualCommands(const std::vector<CommandDescription>& commands);

} // namespace veskor
