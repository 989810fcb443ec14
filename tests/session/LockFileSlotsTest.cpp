// The lock files behind the instance count, on the real file system and with real processes.

#include "platform/linux/LockFileSlots.h"

#include "support/TestSupport.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace veskor;
using Take = IInstanceSlots::Take;

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

TEST(LockFileSlots, AFolderOthersCanWriteToIsNotUsed) {
    const test::TempDir dir;
    chmod(dir.path().c_str(), 0777);
    LockFileSlots shared(dir.path());
    EXPECT_EQ(shared.take(kName, 1), Take::Unavailable);
    LockFileSlots missing(dir / "gone");
    EXPECT_EQ(missing.take(kName, 1), Take::Unavailable);
    // A lock file planted as a link elsewhere is not followed.
    const test::TempDir other;
    std::filesystem::create_symlink(other / "target", other / (kName + ".1"));
    LockFileSlots planted(other.path());
    EXPECT_EQ(planted.take(kName, 1), Take::Unavailable);
    EXPECT_FALSE(std::filesystem::exists(other / "target"));
}

TEST(LockFileSlots, TheRuntimeFolderFallsBackToAPrivateOne) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string restore = saved != nullptr ? saved : "";
    setenv("XDG_RUNTIME_DIR", "/somewhere/run", 1);
    EXPECT_EQ(LockFileSlots::userRuntimeFolder(), "/somewhere/run");
    unsetenv("XDG_RUNTIME_DIR");
    const std::filesystem::path fallback = LockFileSlots::userRuntimeFolder();
    struct stat st {};
    ASSERT_EQ(lstat(fallback.c_str(), &st), 0) << fallback;
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_uid, getuid());
    EXPECT_EQ(st.st_mode & 077, 0U) << fallback;
    if (!restore.empty()) {
        setenv("XDG_RUNTIME_DIR", restore.c_str(), 1);
    }
}
