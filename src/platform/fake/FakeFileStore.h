#pragma once
#include "platform/FileStore.h"

#include <map>
#include <set>
#include <vector>

namespace veskor {

// In-memory files (path -> bytes) with the faults a real disk shows. A failed save keeps the old
// content, as the real store does.
class FakeFileStore final : public IFileStore {
public:
    FileRead read(const std::filesystem::path& path, std::size_t maxBytes) override;
    SaveResult save(const std::filesystem::path& path, std::string_view bytes) override;
    CopyResult keepCopy(const std::filesystem::path& path,
                        const std::filesystem::path& copy) override;

    std::map<std::filesystem::path, std::string> files;
    std::set<std::filesystem::path> unreadable; // read: Unreadable although present
    bool diskFull = false;                      // save: WriteFailed
    bool noPermission = false; // save and keepCopy: CannotCreate before anything is written
    bool renameFails = false;  // save: CannotCreate after the content was written aside
    std::vector<std::filesystem::path> saves; // every save asked for, failed ones too
};

} // namespace veskor
