#include "platform/linux/LockFileSlots.h"

#include "platform/linux/LinuxPaths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace veskor {

namespace fs = std::filesystem;

namespace {

// A folder only this user can write to, and not a link planted by someone else.
bool isPrivateFolder(const fs::path& folder) {
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

LockFileSlots::LockFileSlots(fs::path folder) : m_folder(std::move(folder)) {}

LockFileSlots::~LockFileSlots() {
    release();
}

IInstanceSlots::Take LockFileSlots::take(const std::string& name, int count) {
    if (m_fd >= 0) {
        return Take::Taken;
    }
    if (m_folder.empty() || !isPrivateFolder(m_folder)) {
        return Take::Unavailable;
    }
    for (int n = 1; n <= count; ++n) {
        const fs::path file = m_folder / (name + "." + std::to_string(n));
        const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            return Take::Unavailable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return Take::Taken;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK) {
            return Take::Unavailable;
        }
    }
    return Take::Full;
}

void LockFileSlots::release() {
    // The file stays: removing it would race with a copy that has just opened it.
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

fs::path LockFileSlots::userRuntimeFolder() {
    if (const auto runtime = envValue("XDG_RUNTIME_DIR")) {
        return *runtime;
    }
    const std::string uid = std::to_string(::getuid());
    const fs::path perUser = fs::path("/run/user") / uid;
    if (isPrivateFolder(perUser)) {
        return perUser;
    }
    std::error_code ec;
    fs::path temporary = fs::temp_directory_path(ec);
    if (ec) {
        temporary = "/tmp";
    }
    const fs::path own = temporary / ("veskor-" + uid);
    // An existing folder that is not ours is left alone; take() then finds it unusable.
    ::mkdir(own.c_str(), 0700);
    return own;
}

std::string runningExecutableName() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("veskor") : self.filename().string();
}

} // namespace veskor
