#pragma once
#include "platform/FileStore.h"

namespace veskor {

// Files on the local file system through POSIX calls.
class PosixFileStore final : public IFileStore {
public:
    FileRead read(const std::filesystem::path& path, std::size_t maxBytes) override;
    FileSave save(const std::filesystem::path& path, std::string_view bytes) override;
};

} // namespace veskor
