#pragma once
#include "platform/MappedFile.h"

namespace veskor {

// Regular files mapped read-only with mmap. Pages that vanish because another program truncated
// the file read as zeros, and the bytes report it (see MappingGuard.h). Compound documents are
// read through libgsf (CompoundFile.h).
class PosixMappedFiles final : public IMappedFiles {
public:
    [[nodiscard]] std::optional<MappedBytes> map(const std::filesystem::path& path) const override;
    [[nodiscard]] CompoundStream readCompoundStream(const std::filesystem::path& path,
                                                    const std::string& name,
                                                    std::size_t maxBytes) const override;
};

} // namespace veskor
