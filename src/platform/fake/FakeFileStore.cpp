#include "platform/fake/FakeFileStore.h"

namespace veskor {

FileRead FakeFileStore::read(const std::filesystem::path& path, std::size_t maxBytes) {
    FileRead result;
    const auto it = files.find(path);
    if (it == files.end()) {
        result.status = FileRead::Status::Missing;
    } else if (unreadable.contains(path)) {
        result.status = FileRead::Status::Unreadable;
    } else if (it->second.size() > maxBytes) {
        result.status = FileRead::Status::TooLarge;
    } else {
        result.status = FileRead::Status::Ok;
        result.bytes = it->second;
    }
    return result;
}

FileSave FakeFileStore::save(const std::filesystem::path& path, std::string_view bytes) {
    saves.push_back(path);
    if (noPermission || renameFails) {
        return FileSave::CannotCreate;
    }
    if (diskFull) {
        return FileSave::WriteFailed;
    }
    files[path] = std::string(bytes);
    return FileSave::Ok;
}

} // namespace veskor
