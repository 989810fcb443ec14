#pragma once
#include "platform/MappedFile.h"

namespace veskor {

// Regular files mapped read-only with mmap.
class PosixMappedFiles final : public IMappedFiles {
public:
    [[nodiscard]] std::optional<MappedBytes> map(const std::filesystem::path& path) const override;
};

} // namespace veskor
