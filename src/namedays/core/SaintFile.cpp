#include "common/Error.h"
#include "namedays/core/SaintTable.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
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
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&&) = delete;
    UniqueFd& operator=(UniqueFd&&) = delete;

    [[nodiscard]] int Get() const { return fd_; }
    [[nodiscard]] bool Valid() const { return fd_ >= 0; }
    // Closes now so that the caller sees the error a deferred write may report.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Removes the temporary file unless the save went through.
class TempFileGuard final {
public:
    explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    TempFileGuard(TempFileGuard&&) = delete;
    TempFileGuard& operator=(TempFileGuard&&) = delete;

    void Release() { path_.clear(); }

private:
    std::string path_;
};

// The messages name the full path, also when the caller passed a relative one.
std::string FullPath(const fs::path& path) {
    std::error_code ec;
    const fs::path full = fs::absolute(path, ec);
    return ec ? path.string() : full.string();
}

[[noreturn]] void CannotOpen(const fs::path& path) {
    throw Error(FormatMessage("Cannot open file %s", FullPath(path)));
}

[[noreturn]] void CannotCreate(const fs::path& path) {
    throw Error(FormatMessage("Cannot create file %s", FullPath(path)));
}

[[noreturn]] void WriteError() {
    throw Error("Stream write error");
}

bool WriteAll(int fd, std::string_view bytes) {
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
UniqueFd CreateTempFile(const fs::path& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Built piece by piece: g++ 12 warns falsely (-Wrestrict) on chained string additions.
    std::string hidden = ".";
    hidden += target.filename().string();
    hidden += '.';
    const std::string base = (dir / hidden).string();
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

// Saving through a symbolic link replaces the file it points to, not the link.
fs::path ResolveTarget(const fs::path& path) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec) {
            return resolved;
        }
    }
    return path;
}

} // namespace

std::vector<std::string> ParseSaintFile(std::span<const std::byte> bytes) {
    // Everything after a NUL byte is ignored.
    const auto nul = std::ranges::find(bytes, std::byte{0});
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                static_cast<std::size_t>(nul - bytes.begin()));

    std::vector<std::string> entries;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            entries.emplace_back(text.substr(start, i - start));
            ++i;
            if (c == '\r' && i < text.size() && text[i] == '\n') {
                ++i;
            }
            start = i;
        } else {
            ++i;
        }
    }
    // A last line without terminator still counts; a terminator at the end adds nothing.
    if (start < text.size()) {
        entries.emplace_back(text.substr(start));
    }
    return entries;
}

std::string FormatSaintFile(const std::vector<std::string>& entries) {
    std::size_t size = 0;
    for (const std::string& entry : entries) {
        size += entry.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const std::string& entry : entries) {
        out += entry;
        out += "\r\n";
    }
    return out;
}

bool LoadSaints(TStrings& table, const std::filesystem::path& path) {
    // O_NONBLOCK keeps a FIFO planted at the path from hanging start-up.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.Valid()) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return false;
        }
        CannotOpen(path);
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        CannotOpen(path);
    }

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)));
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            CannotOpen(path);
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    table.Assign(ParseSaintFile(std::as_bytes(std::span(bytes))));
    return true;
}

void SaveSaints(const TStrings& table, const std::filesystem::path& path) {
    const fs::path target = ResolveTarget(path);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A write-protected file stays protected, although the folder would let us replace it.
    if (exists && S_ISREG(old.st_mode) &&
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        CannotCreate(path);
    }

    std::string tempPath;
    UniqueFd fd = CreateTempFile(target, tempPath);
    if (!fd.Valid()) {
        CannotCreate(path);
    }
    TempFileGuard guard(tempPath);
    if (exists && S_ISREG(old.st_mode)) {
        // Best effort (only root may give a file away): the content matters more than these.
        static_cast<void>(::fchown(fd.Get(), old.st_uid, old.st_gid));
        static_cast<void>(::fchmod(fd.Get(), old.st_mode & 0777));
    }

    if (!WriteAll(fd.Get(), FormatSaintFile(table.Items())) || ::fsync(fd.Get()) != 0 ||
        !fd.Close()) {
        WriteError();
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        CannotCreate(path);
    }
    guard.Release();

    // Make the rename itself durable; the save already succeeded if this fails.
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const UniqueFd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.Valid()) {
        static_cast<void>(::fsync(dirFd.Get()));
    }
}

} // namespace veskor
