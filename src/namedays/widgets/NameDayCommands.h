#pragma once
// `veskor saint [DATE]` and `veskor find NAME [--year Y]`: the name-day table without a display.

#include "feature/Command.h"
#include "namedays/core/SaintTable.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace veskor {

// The saint and find commands, in --help's order.
std::vector<CommandDescription> nameDayCommands();

// The table a command reads: the data folder's file, or the built-in list when there is none.
// file: the full path of the file read, empty for the built-in list. An unreadable file is
// "veskor: <error>" on err and false.
bool loadCommandSaints(CommandContext& context, SaintTable& table, std::string& file);

// A failed lookup's line for err, naming the file the table came from (saintFile; empty for the
// built-in list).
std::string saintTableError(const std::string& text, const std::string& saintFile);

// The day's entry; status 1 with the table's error when it has none.
int runSaintCommand(DateTime day, const SaintTable& saints, const std::string& saintFile,
                    std::ostream& out, std::ostream& err);
// The date of the first entry named `name` (UTF-8, any letter case) in `year`; status 1 with
// "veskor: Not found." or the missing 29 February.
int runFindCommand(const std::string& name, int year, const SaintTable& saints, std::ostream& out,
                   std::ostream& err);

} // namespace veskor
