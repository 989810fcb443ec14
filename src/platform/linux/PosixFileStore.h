#pragma once
#include "platform/FileStore.h"

namespace veskor {

// Files on the local file system through POSIX calls.
class PosixFileStore final : public IFileStore {
public:
    FileRead read(const std::filesystem::path& path, std::size_t maxBytes) override;
    SaveResult save(const std::filesystem::path& path, std::string_view bytes) override;
    CopyResult keepCopy(const std::filesystem::path& path,
                        const std::filesystem::path& copy) override;
};

} // namespace veskor
