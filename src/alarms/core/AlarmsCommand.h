#pragma once
// `veskor alarms [--due HH:MM]`: the events of the alarm file as text, for scripts and tests.

#include "platform/FileStore.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace veskor {

// Without `due`: one line per event that can fire,
// "time<TAB>active|inactive<TAB>sound|silent<TAB>message". With `due`: the message of the event
// that would fire at that time of day, or nothing (status 1); a `due` that is no time is
// "veskor: '<text>' is not a valid time" (status 2). Texts are UTF-8 with control characters
// escaped. Every problem of the file goes to err as "veskor: <problem>" (after "veskor: Load
// failed." when the file could not be read whole), and makes the status 1.
int runAlarmsCommand(const std::optional<std::string>& due, IFileStore& files,
                     const std::filesystem::path& file, std::ostream& out, std::ostream& err);

} // namespace veskor
