#include "platform/linux/LockFileSlots.h"

#include "platform/linux/LinuxPaths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace veskor {

namespace fs = std::filesystem;

namespace {

// A folder of this user that no one else can write to, and not a link planted by someone else.
bool isPrivateFolder(const fs::path& folder, uid_t uid) {
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

} // namespace

LockFileSlots::LockFileSlots(fs::path folder) : m_folder(std::move(folder)) {}

LockFileSlots::~LockFileSlots() {
    release();
}

IInstanceSlots::Take LockFileSlots::take(const std::string& name, int count) {
    if (m_fd >= 0) {
        return Take::Taken;
    }
    m_problem.clear();
    // The folder is checked through the descriptor that is then used, so it cannot be swapped
    // for another between the check and the use.
    const Descriptor folder{
        ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)};
    struct stat st {};
    if (folder.fd < 0) {
        const int error = errno;
        if (::lstat(m_folder.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
            return unavailable(m_folder.string() +
                               (S_ISLNK(st.st_mode) ? " is a link" : " is not a folder"));
        }
        return unavailable(m_folder.string() + ": " + std::strerror(error));
    }
    if (::fstat(folder.fd, &st) != 0) {
        return unavailable(m_folder.string() + ": " + std::strerror(errno));
    }
    if (st.st_uid != ::getuid()) {
        return unavailable(m_folder.string() + " belongs to another user (uid " +
                           std::to_string(st.st_uid) + ")");
    }
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return unavailable("other users can write to " + m_folder.string());
    }
    for (int n = 1; n <= count; ++n) {
        const std::string file = name + "." + std::to_string(n);
        const std::string path = (m_folder / file).string();
        // Looked at before it is opened: opening a device or a FIFO may do something.
        if (::fstatat(folder.fd, file.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            !S_ISREG(st.st_mode)) {
            return unavailable(path + (S_ISLNK(st.st_mode) ? " is a link" : " is not a file"));
        }
        const int fd =
            ::openat(folder.fd, file.c_str(),
                     O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
        if (fd < 0) {
            return unavailable(path + ": " + std::strerror(errno));
        }
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return unavailable(path + " is not a file");
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return Take::Taken;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK) {
            return unavailable(path + ": " + std::strerror(error));
        }
    }
    return Take::Full;
}

IInstanceSlots::Take LockFileSlots::unavailable(std::string problem) {
    m_problem = std::move(problem);
    return Take::Unavailable;
}

void LockFileSlots::release() {
    // The file stays: removing it would race with a copy that has just opened it.
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

fs::path LockFileSlots::userLockFolder() {
    if (const auto chosen = envValue("VESKOR_LOCK_DIR")) {
        return *chosen;
    }
    return lockFolderFor(::getuid(), "/run/user", "/tmp");
}

fs::path LockFileSlots::lockFolderFor(uid_t uid, const fs::path& runtimeRoot,
                                      const fs::path& temporaryRoot) {
    const std::string id = std::to_string(uid);
    fs::path perUser = runtimeRoot / id;
    if (isPrivateFolder(perUser, uid)) {
        return perUser;
    }
    fs::path own = temporaryRoot / ("veskor-" + id);
    // One that exists already is left as it is; take() then says whether it can be used.
    ::mkdir(own.c_str(), 0700);
    return own;
}

std::string runningExecutableName() {
    const fs::path self = programPath();
    return self.empty() ? std::string("veskor") : self.filename().string();
}

} // namespace veskor
