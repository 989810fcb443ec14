#pragma once
// Starting the bar with the desktop session: an entry in the XDG autostart folder.

#include "platform/FileStore.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace veskor {

// $XDG_CONFIG_HOME/autostart/veskor.desktop, with ~/.config when XDG_CONFIG_HOME is unset,
// empty or relative (as the base directory rules say); empty when neither gives a folder.
std::filesystem::path autostartFile(const char* xdgConfigHome, const char* home);

// The entry that starts this program: Exec quoted and escaped as desktop entries want, so a
// path with blanks, quotes or a percent sign still starts the right file.
std::string autostartEntry(const std::filesystem::path& program);

// --autostart on|off writes or removes the entry; without a value it says whether it is there
// (and not hidden). Returns the exit status: 0, or 1 with one line on err.
int runAutostartCommand(const std::string& value, IFileStore& files,
                        const std::filesystem::path& entryFile,
                        const std::filesystem::path& program, std::ostream& out, std::ostream& err);

} // namespace veskor
