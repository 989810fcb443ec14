#pragma once
#include "platform/InstanceSlots.h"

#include <filesystem>
#include <string>

namespace veskor {

// Places as lock files in a private folder: place n of name N is the file "N.n", held by an
// exclusive flock for as long as this object lives. The kernel drops the lock with the last
// descriptor, so a copy that crashed frees its place; taking one is a single atomic call.
class LockFileSlots final : public IInstanceSlots {
public:
    explicit LockFileSlots(std::filesystem::path folder = userRuntimeFolder());
    ~LockFileSlots() override;
    LockFileSlots(const LockFileSlots&) = delete;
    LockFileSlots& operator=(const LockFileSlots&) = delete;

    Take take(const std::string& name, int count) override;
    void release() override;

    // $XDG_RUNTIME_DIR; else /run/user/UID; else "veskor-UID" in the temporary folder, made
    // private to the user when missing.
    static std::filesystem::path userRuntimeFolder();

private:
    std::filesystem::path m_folder;
    int m_fd = -1;
};

// The running executable's file name without its folder, as the system reports it.
std::string runningExecutableName();

} // namespace veskor
