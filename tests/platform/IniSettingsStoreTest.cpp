// The real settings file and the real machine facts.

#include "platform/linux/IniSettingsStore.h"

#include "common/MemoryStatus.h"
#include "platform/linux/LinuxClock.h"
#include "platform/linux/LinuxMemoryInfo.h"
#include "platform/linux/LinuxPaths.h"
#include "support/TestSupport.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace veskor {
namespace {

class IniSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/veskor-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(m_dir);
    }
    std::filesystem::path file() const { return m_dir / "Orvane" / "Veskor Pro.conf"; }
    void writeFile(const std::string& text) const {
        std::filesystem::create_directories(file().parent_path());
        std::ofstream(file()) << text;
    }
    std::filesystem::path m_dir;
};

TEST_F(IniSettingsStoreTest, KeyIsCreatedOnFirstReadAndValuesRoundTrip) {
    IniSettingsStore store(file());
    EXPECT_FALSE(std::filesystem::exists(file()));
    EXPECT_TRUE(store.ensureKey());
    EXPECT_TRUE(std::filesystem::exists(file()));
    EXPECT_EQ(store.readInteger("Top"), std::nullopt);
    ASSERT_TRUE(store.writeIntegers({{"Top", -21}, {"Left", 2147483647}, {"Memory", 1}}));
    IniSettingsStore again(file());
    EXPECT_EQ(again.readInteger("Top"), -21);
    EXPECT_EQ(again.readInteger("Left"), 2147483647);
    EXPECT_EQ(again.readInteger("Memory"), 1);
}

TEST_F(IniSettingsStoreTest, ValueThatIsNotAWholeNumberIsAnInvalidType) {
    writeFile("[General]\nTop=abc\nLeft=12.5\nScan=\nMemory= 1 \nStayOnTop=99999999999\n"
              "PMScan=1, 2\n");
    IniSettingsStore store(file());
    for (const char* name : {"Top", "Left", "Scan", "StayOnTop", "PMScan"}) {
        try {
            store.readInteger(name);
            ADD_FAILURE() << name << " was accepted";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Invalid data type for '") + name + "'");
        }
    }
    EXPECT_EQ(store.readInteger("Memory"), 1);
}

// A huge (here sparse) file is never parsed nor written over: one error, then the defaults.
TEST_F(IniSettingsStoreTest, FileOverTheSizeLimitGivesTheDefaultsAndIsKept) {
    writeFile("[General]\nTop=5\n");
    std::filesystem::resize_file(file(), std::uintmax_t{2} << 30);
    IniSettingsStore store(file());
    EXPECT_TRUE(store.ensureKey());
    try {
        store.readInteger("Top");
        ADD_FAILURE() << "a 2 GiB file was read";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  file().string() + ": larger than 65536 bytes; the defaults are used");
    }
    EXPECT_EQ(store.readInteger("Left"), std::nullopt);
    EXPECT_FALSE(store.writeIntegers({{"Top", 9}}));
    EXPECT_EQ(std::filesystem::file_size(file()), std::uintmax_t{2} << 30);
}

TEST_F(IniSettingsStoreTest, FolderThatCannotBeWrittenFailsWithoutThrowing) {
    // A file where the folder should be stops even root.
    std::ofstream(m_dir / "Orvane") << "not a folder";
    IniSettingsStore store(file());
    EXPECT_FALSE(store.ensureKey());
    EXPECT_FALSE(store.writeIntegers({{"Top", 1}}));
}

TEST_F(IniSettingsStoreTest, SaveRemovesOnlyTheLeftoversOfEarlierSaves) {
    writeFile("[General]\nTop=5\n");
    const auto folder = file().parent_path();
    const char* leftovers[] = {"Veskor Pro.conf.AbCdEf", "Veskor Pro.conf.zzzzzz"};
    const char* others[] = {"Veskor Pro.conf.AbCdE",  "Veskor Pro.conf.AbCdEfG",
                            "Veskor Pro.conf.AbC1Ef", "Veskor Pro.confxAbCdEf",
                            "Other.conf.AbCdEf",      "Veskor Pro.conf.AbCdEf.bak"};
    for (const char* name : leftovers) {
        test::writeFile(folder / name, "[General]\nTop=");
    }
    for (const char* name : others) {
        test::writeFile(folder / name, "keep");
    }
    std::filesystem::create_directory(folder / "Veskor Pro.conf.Folder");

    ASSERT_TRUE(IniSettingsStore(file()).writeIntegers({{"Top", 7}}));
    for (const char* name : leftovers) {
        EXPECT_FALSE(std::filesystem::exists(folder / name)) << name;
    }
    for (const char* name : others) {
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Veskor Pro.conf.Folder"));
    EXPECT_EQ(IniSettingsStore(file()).readInteger("Top"), 7);
}

TEST(IniSettingsStoreSpecialFiles, FifoOrFolderGivesDefaultsAndRefusesWritesWithoutBlocking) {
    test::TempDir dir;
    const auto fifo = dir / "fifo.conf";
    const auto folder = dir / "folder.conf";
    const auto lockedByFifo = dir / "locked.conf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(folder);
    test::writeFile(lockedByFifo, "[General]\nTop=5\n");
    ASSERT_EQ(mkfifo((dir / "locked.conf.lock").c_str(), 0600), 0);

    const std::pair<std::filesystem::path, const char*> cases[] = {
        {fifo, "nokey none refused"},
        {folder, "nokey none refused"},
        // The lock taken for a save would block the same way.
        {lockedByFifo, "key 5 refused"}};
    for (const auto& [file, expected] : cases) {
        SCOPED_TRACE(file);
        const auto outcome = test::runInChild(
            [&] {
                // A regression blocks for good: the alarm ends the child and fails the test.
                alarm(10);
                IniSettingsStore store(file);
                std::string result = store.ensureKey() ? "key " : "nokey ";
                const auto top = store.readInteger("Top");
                result += top ? std::to_string(*top) + " " : "none ";
                result += store.writeIntegers({{"Top", 9}}) ? "written" : "refused";
                return result;
            },
            false);
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(*outcome, expected);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(test::readFile(lockedByFifo), "[General]\nTop=5\n");
}

TEST(IniSettingsStoreReadOnly, ReadOnlyFolderKeepsTheValuesWhenAWriteFails) {
    // Run as an ordinary user: root writes through any permission.
    test::TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all ^
                                                 std::filesystem::perms::others_write ^
                                                 std::filesystem::perms::group_write);
    const auto file = dir / "Veskor Pro.conf";
    test::writeFile(file, "[General]\nTop=5\n");
    const auto outcome = test::runInChild(
        [&] {
            IniSettingsStore store(file);
            std::string result = store.ensureKey() ? "key " : "nokey ";
            result += store.writeIntegers({{"Top", 9}}) ? "written" : "refused";
            return result;
        },
        true);
    ASSERT_TRUE(outcome.has_value()) << "could not switch to an ordinary user";
    EXPECT_EQ(*outcome, "key refused");
    EXPECT_EQ(test::readFile(file), "[General]\nTop=5\n");
}

TEST(LinuxFacts, MemInfoOfThisMachineDecodes) {
    LinuxMemoryInfo info;
    const MemoryStatus status = parseMemInfo(info.readMemInfo());
    EXPECT_GT(status.totalPhys, 64ULL << 20);
    EXPECT_LE(status.availPhys, status.totalPhys);
    EXPECT_LE(status.memoryLoad, 100U);
}

TEST(LinuxFacts, ClockAgreesWithTheSystemTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::time_t before = std::time(nullptr);
    const DateTime now = LinuxClock().now();
    const std::time_t after = std::time(nullptr);
    // Unix time 0 is day 25569 of the day count.
    const double seconds = (now - 25569.0) * 86400.0;
    EXPECT_GE(seconds, static_cast<double>(before) - 0.01);
    EXPECT_LE(seconds, static_cast<double>(after) + 1.0);
}

TEST(LinuxFacts, ClockOutsideTheEncodableYearsHoldsToTheEnds) {
    setenv("TZ", "UTC", 1);
    tzset();
    const DateTime last = encodeDateTime({9999, 12, 31}, {23, 59, 59, 999});
    const DateTime first = encodeDate(1, 1, 1);
    constexpr std::time_t kYear10000 = 253'402'300'800; // 10000-01-01 00:00:00 UTC
    EXPECT_EQ(LinuxClock::fromSystemTime({kYear10000, 0}), last);
    // Years past what the C library can break down.
    EXPECT_EQ(LinuxClock::fromSystemTime({std::numeric_limits<std::time_t>::max(), 0}), last);
    EXPECT_EQ(LinuxClock::fromSystemTime({std::numeric_limits<std::time_t>::min(), 0}), first);
}

TEST(LinuxFacts, ExecutableDirIsThisTestsFolder) {
    EXPECT_TRUE(std::filesystem::exists(executableDir() / "platform_tests"));
    EXPECT_TRUE(isWritableDir(std::filesystem::temp_directory_path()));
    EXPECT_FALSE(isWritableDir("/nonexistent/folder"));
}

} // namespace
} // namespace veskor
