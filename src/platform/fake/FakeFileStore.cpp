#include "platform/fake/FakeFileStore.h"

namespace veskor {

FileRead FakeFileStore::read(const std::filesystem::path& path, std::size_t maxBytes) {
    FileRead result;
    const auto it = files.find(path);
    if (it == files.end()) {
        result.status = FileRead::Status::Missing;
        result.reason = "No such file or directory";
    } else if (unreadable.contains(path)) {
        result.status = FileRead::Status::Unreadable;
        result.reason = "Permission denied";
    } else if (it->second.size() > maxBytes) {
        result.status = FileRead::Status::TooLarge;
        result.reason = "larger than " + std::to_string(maxBytes) + " bytes";
    } else {
        result.status = FileRead::Status::Ok;
        result.bytes = it->second;
    }
    return result;
}

SaveResult FakeFileStore::save(const std::filesystem::path& path, std::string_view bytes) {
    saves.push_back(path);
    if (noPermission || renameFails) {
        return {FileSave::CannotCreate, "Permission denied"};
    }
    if (diskFull) {
        return {FileSave::WriteFailed, "No space left on device"};
    }
    files[path] = std::string(bytes);
    return {};
}

CopyResult FakeFileStore::keepCopy(const std::filesystem::path& path,
                                   const std::filesystem::path& copy) {
    const auto it = files.find(path);
    if (it == files.end()) {
        return {CopyResult::Status::Missing, {}};
    }
    if (files.contains(copy)) {
        return {CopyResult::Status::Exists, {}};
    }
    if (noPermission) {
        return {CopyResult::Status::Failed, "Permission denied"};
    }
    files[copy] = it->second;
    return {CopyResult::Status::Kept, {}};
}

} // namespace veskor
