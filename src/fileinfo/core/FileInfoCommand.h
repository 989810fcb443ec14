#pragma once
// `veskor fileinfo FILE`: the file information window's rows as text, for scripts and tests.

#include "platform/MappedFile.h"

#include <filesystem>
#include <ostream>

namespace veskor {

// One row per line, "key<TAB>value" (the separator row is a lone tab), dates as
// "YYYY-MM-DD hh:mm" local time; status 0. A missing file: "veskor: Cannot open file FILE" on
// err, status 2; one that exists but cannot be read (a folder, no permission): status 1.
int runFileInfoCommand(const std::filesystem::path& file, const IMappedFiles& files,
                       std::ostream& out, std::ostream& err);

} // namespace veskor
