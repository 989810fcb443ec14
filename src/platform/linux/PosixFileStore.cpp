#include "platform/linux/PosixFileStore.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace veskor {

namespace {

namespace fs = std::filesystem;

// Owns one file descriptor.
class UniqueFd final {
public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&&) = delete;
    UniqueFd& operator=(UniqueFd&&) = delete;

    [[nodiscard]] int get() const { return m_fd; }
    [[nodiscard]] bool valid() const { return m_fd >= 0; }
    // Closes now so that the caller sees the error a deferred write may report.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Removes the temporary file unless the save went through.
class TempFileGuard final {
public:
    explicit TempFileGuard(std::string path) : m_path(std::move(path)) {}
    ~TempFileGuard() {
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    TempFileGuard(TempFileGuard&&) = delete;
    TempFileGuard& operator=(TempFileGuard&&) = delete;

    void release() { m_path.clear(); }

private:
    std::string m_path;
};

constexpr const char* kNotRegular = "not a regular file";

// Large enough for a data file in one call, small enough to stop soon past the limit.
constexpr std::size_t kReadChunk = std::size_t{64} * 1024;

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A fresh file beside the target, created exclusively (never follows a planted link) with
// mode 0644 so that the process umask applies as for any new file.
UniqueFd createTempFile(const fs::path& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    // Built piece by piece: g++ 12 warns falsely (-Wrestrict) on chained string additions.
    std::string hidden = ".";
    hidden += target.filename().string();
    hidden += '.';
    const std::string base = (folderOf(target) / hidden).string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Process, call and clock make the name unique enough; O_EXCL makes it safe.
        const auto ticks = static_cast<unsigned long long>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        tempPath = base;
        tempPath += std::to_string(::getpid());
        tempPath += '.';
        tempPath += std::to_string(counter.fetch_add(1));
        tempPath += '.';
        tempPath += std::to_string(ticks % 1000000ULL);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) {
            return UniqueFd(fd);
        }
    }
    return UniqueFd(-1);
}

// A save killed before its rename leaves its temporary file behind. Those of processes that no
// longer run go with the next save; a live process's may still be in use.
void removeStaleTemporaries(const fs::path& target) {
    const std::string prefix = "." + target.filename().string() + ".";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folderOf(target), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        // "<pid>.<call>.<ticks>": three numbers, nothing else.
        const std::string rest = name.substr(prefix.size());
        int dots = 0;
        bool digits = true;
        for (const char c : rest) {
            dots += c == '.' ? 1 : 0;
            digits = digits && ((c >= '0' && c <= '9') || c == '.');
        }
        const long pid = std::strtol(rest.c_str(), nullptr, 10);
        if (!digits || dots != 2 || pid <= 0 || pid == ::getpid()) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

// What a save may replace: nothing yet, or a regular file, also through a symbolic link (then the
// file it points to, and the link stays). Anything else is refused with the reason: a FIFO, a
// device or a folder must never become a plain file, nor may a link lose its target.
struct SaveTarget {
    fs::path path;
    bool exists = false;
    std::string refusal;
};

SaveTarget saveTarget(const fs::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return {path, false, errno == ENOENT ? std::string() : std::strerror(errno)};
    }
    if (S_ISLNK(st.st_mode)) {
        if (::stat(path.c_str(), &st) != 0) { // dangling or looping
            return {path, false, std::strerror(errno)};
        }
        std::error_code ec;
        fs::path resolved = fs::canonical(path, ec);
        if (ec) {
            return {path, false, ec.message()};
        }
        return {S_ISREG(st.st_mode) ? resolved : path, true,
                S_ISREG(st.st_mode) ? std::string() : kNotRegular};
    }
    return {path, true, S_ISREG(st.st_mode) ? std::string() : kNotRegular};
}

void syncFolder(const fs::path& file) {
    const UniqueFd folder(::open(folderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        static_cast<void>(::fsync(folder.get()));
    }
}

} // namespace

FileRead PosixFileStore::read(const fs::path& path, std::size_t maxBytes) {
    FileRead result;
    // O_NONBLOCK keeps a FIFO planted at the path from hanging the caller.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid()) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        result.status = missing ? FileRead::Status::Missing : FileRead::Status::Unreadable;
        result.reason = std::strerror(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        result.status = FileRead::Status::Unreadable;
        result.reason = kNotRegular;
        return result;
    }

    // The reported size is not trusted (sparse, growing or simply huge files): read in chunks
    // and stop at the first byte past the limit.
    const std::size_t limit = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
    std::string& bytes = result.bytes;
    while (bytes.size() < limit) {
        const std::size_t used = bytes.size();
        const std::size_t want = std::min(kReadChunk, limit - used);
        bytes.resize(used + want);
        const ssize_t got = ::read(fd.get(), bytes.data() + used, want);
        const int error = errno;
        bytes.resize(used + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got < 0 && error == EINTR) {
            continue;
        }
        if (got < 0) {
            bytes.clear();
            result.status = FileRead::Status::Unreadable;
            result.reason = std::strerror(error);
            return result;
        }
        if (got == 0) {
            break;
        }
    }
    if (bytes.size() > maxBytes) {
        bytes.clear();
        result.status = FileRead::Status::TooLarge;
        result.reason = "larger than " + std::to_string(maxBytes) + " bytes";
        return result;
    }
    result.status = FileRead::Status::Ok;
    return result;
}

SaveResult PosixFileStore::save(const fs::path& path, std::string_view bytes) {
    const SaveTarget checked = saveTarget(path);
    if (!checked.refusal.empty()) {
        return {FileSave::CannotCreate, checked.refusal};
    }
    const fs::path& target = checked.path;
    const auto failed = [](FileSave status, int error) {
        return SaveResult{status, std::strerror(error)};
    };

    struct stat old {};
    const bool replacesFile = checked.exists && ::stat(target.c_str(), &old) == 0;
    // A write-protected file stays protected, although the folder would let us replace it.
    if (replacesFile && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return failed(FileSave::CannotCreate, errno);
    }

    std::string tempPath;
    UniqueFd fd = createTempFile(target, tempPath);
    if (!fd.valid()) {
        return failed(FileSave::CannotCreate, errno);
    }
    TempFileGuard guard(tempPath);
    if (replacesFile) {
        // Best effort (only root may give a file away): the content matters more than these.
        static_cast<void>(::fchown(fd.get(), old.st_uid, old.st_gid));
        static_cast<void>(::fchmod(fd.get(), old.st_mode & 0777));
    }

    if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.close()) {
        return failed(FileSave::WriteFailed, errno);
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        return failed(FileSave::CannotCreate, errno);
    }
    guard.release();

    // Make the rename itself durable; the save already succeeded if this fails.
    syncFolder(target);
    removeStaleTemporaries(target);
    return {};
}

CopyResult PosixFileStore::keepCopy(const fs::path& path, const fs::path& copy) {
    const auto failed = [](int error) {
        return CopyResult{CopyResult::Status::Failed, std::strerror(error)};
    };
    const UniqueFd from(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!from.valid()) {
        return errno == ENOENT ? CopyResult{CopyResult::Status::Missing, {}} : failed(errno);
    }
    struct stat st {};
    if (::fstat(from.get(), &st) != 0) {
        return failed(errno);
    }
    if (!S_ISREG(st.st_mode)) {
        return {CopyResult::Status::Failed, kNotRegular};
    }
    // A second name for the very file we opened: instant whatever its size, and the later save
    // renames a new file over the old name only.
    const std::string opened = "/proc/self/fd/" + std::to_string(from.get());
    if (::linkat(AT_FDCWD, opened.c_str(), AT_FDCWD, copy.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        syncFolder(copy);
        return {CopyResult::Status::Kept, {}};
    }
    if (errno == EEXIST) {
        return {CopyResult::Status::Exists, {}};
    }
    // No links here (another owner's file, a file system without them): copy the bytes.
    UniqueFd to(::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                       st.st_mode & 0777));
    if (!to.valid()) {
        return errno == EEXIST ? CopyResult{CopyResult::Status::Exists, {}} : failed(errno);
    }
    TempFileGuard guard(copy.string());
    std::string buffer(kReadChunk, '\0');
    for (;;) {
        const ssize_t got = ::read(from.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return failed(errno);
        }
        if (got == 0) {
            break;
        }
        if (!writeAll(to.get(), std::string_view(buffer.data(), static_cast<std::size_t>(got)))) {
            return failed(errno);
        }
    }
    if (::fsync(to.get()) != 0 || !to.close()) {
        return failed(errno);
    }
    guard.release();
    syncFolder(copy);
    return {CopyResult::Status::Kept, {}};
}

} // namespace veskor
