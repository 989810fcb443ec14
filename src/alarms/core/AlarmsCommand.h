#pragma once
// `veskor alarms [--due HH:MM]`: the events of the alarm file as text, for scripts and tests.

#include "platform/FileStore.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace veskor {

// Without `due`: one line per event, "time<TAB>active|inactive<TAB>sound|silent<TAB>message";
// after a load failure "veskor: Load failed." on err, the rows read, status 1. With `due`: the
// message of the event that would fire at that time of day (status 0), nothing (status 1), or
// "veskor: '<text>' is not a valid time" for the argument or a row the search reaches (status 2).
int runAlarmsCommand(const std::optional<std::string>& due, IFileStore& files,
                     const std::filesystem::path& file, std::ostream& out, std::ostream& err);

} // namespace veskor
