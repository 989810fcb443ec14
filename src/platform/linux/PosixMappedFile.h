#pragma once
#include "platform/MappedFile.h"

namespace veskor {

// Regular files mapped read-only with mmap. Pages that vanish because another program truncated
// the file read as zeros, and the bytes report it (see MappingGuard.h).
class PosixMappedFiles final : public IMappedFiles {
public:
    [[nodiscard]] std::optional<MappedBytes> map(const std::filesystem::path& path) const override;
};

} // namespace veskor
