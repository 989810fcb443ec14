// The lock files behind the instance count, on the real file system and with real processes.

#include "platform/linux/LockFileSlots.h"

#include "support/TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace veskor;
using Take = IInstanceSlots::Take;
using test::readFile;
using test::writeFile;

namespace {

const std::string kName = "Quenby.CloneControl.veskor";

} // namespace

TEST(LockFileSlots, EachPlaceIsHeldByOneHolderAtATime) {
    const test::TempDir dir;
    LockFileSlots first(dir.path());
    EXPECT_EQ(first.take(kName, 1), Take::Taken);
    EXPECT_TRUE(std::filesystem::exists(dir / (kName + ".1")));
    {
        LockFileSlots second(dir.path());
        EXPECT_EQ(second.take(kName, 1), Take::Full);
        EXPECT_EQ(second.take(kName, 2), Take::Taken);
        LockFileSlots third(dir.path());
        EXPECT_EQ(third.take(kName, 2), Take::Full);
        LockFileSlots renamed(dir.path());
        EXPECT_EQ(renamed.take("Quenby.CloneControl.veskor-copy", 1), Take::Taken);
    }
    first.release();
    LockFileSlots next(dir.path());
    EXPECT_EQ(next.take(kName, 1), Take::Taken);
}

TEST(LockFileSlots, AKilledHolderFreesItsPlace) {
    const test::TempDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        LockFileSlots slots(dir.path());
        const char answer = slots.take(kName, 1) == Take::Taken ? 'y' : 'n';
        if (write(ready[1], &answer, 1) != 1) {
            _exit(2);
        }
        for (;;) {
            pause();
        }
    }
    close(ready[1]);
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    close(ready[0]);
    EXPECT_EQ(answer, 'y');
    LockFileSlots parent(dir.path());
    EXPECT_EQ(parent.take(kName, 1), Take::Full);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(parent.take(kName, 1), Take::Taken);
}

// Each refusal names the path and why; nothing planted is followed, opened or changed.
TEST(LockFileSlots, WhatIsNotSafeIsNotUsedAndSaysWhy) {
    const test::TempDir dir;
    const auto problem = [](const std::filesystem::path& folder) {
        LockFileSlots slots(folder);
        return slots.take(kName, 1) == Take::Unavailable ? slots.problem() : "taken";
    };
    std::filesystem::create_directory(dir / "shared");
    chmod((dir / "shared").c_str(), 01777);
    EXPECT_EQ(problem(dir / "shared"), "other users can write to " + (dir / "shared").string());
    std::filesystem::create_directory(dir / "private");
    std::filesystem::create_directory_symlink(dir / "private", dir / "link");
    EXPECT_EQ(problem(dir / "link"), (dir / "link").string() + " is a link");
    EXPECT_EQ(problem(dir / "gone"), (dir / "gone").string() + ": No such file or directory");
    std::filesystem::create_directory(dir / "foreign");
    if (getuid() == 0) {
        ASSERT_EQ(chown((dir / "foreign").c_str(), 4242, 4242), 0);
        EXPECT_EQ(problem(dir / "foreign"),
                  (dir / "foreign").string() + " belongs to another user (uid 4242)");
    }

    // Lock files planted as a link, a folder or a FIFO in the private folder.
    const auto lockFile = dir / "private" / (kName + ".1");
    writeFile(dir / "target", "kept");
    std::filesystem::create_symlink(dir / "target", lockFile);
    EXPECT_EQ(problem(dir / "private"), lockFile.string() + " is a link");
    EXPECT_EQ(readFile(dir / "target"), "kept");
    std::filesystem::remove(lockFile);
    std::filesystem::create_directory(lockFile);
    EXPECT_EQ(problem(dir / "private"), lockFile.string() + " is not a file");
    std::filesystem::remove(lockFile);
    ASSERT_EQ(mkfifo(lockFile.c_str(), 0600), 0);
    EXPECT_EQ(problem(dir / "private"), lockFile.string() + " is not a file");
}

// Whatever XDG_RUNTIME_DIR and TMPDIR say, a user's copies look in one folder: the runtime
// folder the system made for the user, else a private folder of our own in /tmp.
TEST(LockFileSlots, EveryCopyOfTheUserFindsTheSameFolder) {
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR", "VESKOR_LOCK_DIR"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name,
                           value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    const test::TempDir elsewhere;
    unsetenv("VESKOR_LOCK_DIR");
    setenv("XDG_RUNTIME_DIR", elsewhere.path().c_str(), 1);
    setenv("TMPDIR", elsewhere.path().c_str(), 1);
    const std::filesystem::path withEnvironment = LockFileSlots::userLockFolder();
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("TMPDIR");
    EXPECT_EQ(LockFileSlots::userLockFolder(), withEnvironment);
    for (const auto& [name, value] : saved) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    const test::TempDir root;
    const uid_t uid = getuid();
    const auto runtime = root / "run" / std::to_string(uid);
    const auto own = root / "tmp" / ("veskor-" + std::to_string(uid));
    std::filesystem::create_directories(runtime);
    std::filesystem::create_directory(root / "tmp");
    chmod(runtime.c_str(), 0700);
    EXPECT_EQ(LockFileSlots::lockFolderFor(uid, root / "run", root / "tmp"), runtime);
    // A runtime folder its group can write to is passed over for a folder made private.
    chmod(runtime.c_str(), 0770);
    EXPECT_EQ(LockFileSlots::lockFolderFor(uid, root / "run", root / "tmp"), own);
    struct stat st {};
    ASSERT_EQ(lstat(own.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700U);
    EXPECT_EQ(LockFileSlots(own).take(kName, 1), Take::Taken);
}
