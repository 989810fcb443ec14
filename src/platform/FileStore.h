#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace veskor {

// A whole file, or why it could not be had.
struct FileRead {
    enum class Status { Ok, Missing, Unreadable, TooLarge };
    Status status = Status::Missing;
    std::string bytes;  // the whole file when Ok
    std::string reason; // why not, in words ("Permission denied", "not a regular file"), else empty
};

enum class FileSave { Ok, CannotCreate, WriteFailed };

// How a save went, with the reason in words when it failed. Compares with a FileSave.
struct SaveResult {
    FileSave status = FileSave::Ok;
    std::string reason;

    [[nodiscard]] bool ok() const { return status == FileSave::Ok; }
    friend bool operator==(const SaveResult& result, FileSave status) {
        return result.status == status;
    }
};

// How keeping a copy of a file went.
struct CopyResult {
    enum class Status { Kept, Missing, Exists, Failed };
    Status status = Status::Failed;
    std::string reason; // when Failed, in words
};

// The program's data files: read whole, saved atomically.
class IFileStore {
public:
    virtual ~IFileStore() = default;
    // The whole file; Missing when neither it nor its folder exists (ENOENT, ENOTDIR);
    // Unreadable when it exists but is no regular file or cannot be read; TooLarge past maxBytes
    // (never reads more than maxBytes + 1 bytes, never allocates from the reported size).
    virtual FileRead read(const std::filesystem::path& path, std::size_t maxBytes) = 0;
    // Replaces the file atomically (temporary file in the same folder, flush, rename), keeping
    // its owner and mode; through a symbolic link, the file it points to. CannotCreate when the
    // temporary file cannot be made, the file is write-protected or the rename fails;
    // WriteFailed when writing, flushing or closing stops short. A failed save leaves the old
    // file as it was and no temporary file behind.
    virtual SaveResult save(const std::filesystem::path& path, std::string_view bytes) = 0;
    // Makes `copy` hold what the regular file at `path` holds now, whatever its size (a second
    // link where the file system allows), so that a later save of `path` leaves it as it was.
    // Never replaces anything at `copy` (Exists); Missing when there is no file at `path`;
    // Failed for anything else (not a regular file, no permission).
    virtual CopyResult keepCopy(const std::filesystem::path& path,
                                const std::filesystem::path& copy) = 0;
};

} // namespace veskor
