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
    std::string bytes; // the whole file when Ok
};

enum class FileSave { Ok, CannotCreate, WriteFailed };

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
    virtual FileSave save(const std::filesystem::path& path, std::string_view bytes) = 0;
};

} // namespace veskor
