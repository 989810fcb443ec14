#pragma once
#include "platform/InstanceSlots.h"

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace veskor {

// Places as lock files in a private folder: place n of name N is the file "N.n", held by an
// exclusive flock for as long as this object lives. The kernel drops the lock with the last
// descriptor, so a copy that crashed frees its place; taking one is a single atomic call.
// Only a folder of this user that no one else can write to is used, and nothing in it is
// followed or opened that is not a regular file.
class LockFileSlots final : public IInstanceSlots {
public:
    explicit LockFileSlots(std::filesystem::path folder = userLockFolder());
    ~LockFileSlots() override;
    LockFileSlots(const LockFileSlots&) = delete;
    LockFileSlots& operator=(const LockFileSlots&) = delete;

    Take take(const std::string& name, int count) override;
    void release() override;

    // Why the last take() found the places unavailable, naming the path; empty otherwise.
    [[nodiscard]] const std::string& problem() const { return m_problem; }

    // $VESKOR_LOCK_DIR when set, else lockFolderFor(this user, "/run/user", "/tmp"). Nothing
    // else in the environment counts, so every copy of the user finds the same locks.
    static std::filesystem::path userLockFolder();
    // runtimeRoot/UID when it is a private folder of the user; else temporaryRoot/veskor-UID,
    // made private to the user when missing (an existing one is left as it is).
    static std::filesystem::path lockFolderFor(uid_t uid, const std::filesystem::path& runtimeRoot,
                                               const std::filesystem::path& temporaryRoot);

private:
    Take unavailable(std::string problem);

    std::filesystem::path m_folder;
    std::string m_problem;
    int m_fd = -1;
};

// The running executable's file name without its folder, as the system reports it.
std::string runningExecutableName();

} // namespace veskor
