#pragma once
#include "platform/MappedFile.h"

namespace veskor {

// Reads one stream of a compound document through libgsf, loaded on the first call. The file is
// opened here, not by the library, so that only a regular file reaches it; what the library
// logs while reading becomes the stream's messages instead of lines on standard error.
CompoundStream readGsfStream(const std::filesystem::path& path, const std::string& name,
                             std::size_t maxBytes);

} // namespace veskor
