// The data files under kill -9: a save killed at any point leaves the old file or the new one,
// never a mixture and never nothing. A child saves two versions in turn, as fast as it can; the
// parent kills it after a random delay, again and again, and reads what is there.

#include "alarms/core/AlarmList.h"
#include "namedays/core/SaintFile.h"
#include "namedays/core/SaintTable.h"
#include "platform/linux/IniSettingsStore.h"
#include "platform/linux/PosixFileStore.h"
#include "support/TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace veskor {
namespace {

using test::readFile;
using test::TempDir;

// Kills per file: VESKOR_KILLS, 100 by default (a thousand for the long run).
int killCount() {
    const char* text = std::getenv("VESKOR_KILLS");
    const int count = text != nullptr ? std::atoi(text) : 0;
    return count > 0 ? count : 100;
}

// killCount() times: a child saves version 1, 0, 1, ... as fast as it can and is killed at a random
// point after its first save landed, within about two saves' time; then the file must read as
// one of the versions.
void killDuringSaves(const std::filesystem::path& file,
                     const std::function<void(int version)>& saveVersion,
                     const std::vector<std::string>& versions) {
    const auto started = std::chrono::steady_clock::now();
    for (const int version : {1, 0, 1, 0}) {
        saveVersion(version);
    }
    ASSERT_EQ(readFile(file), versions[0]);
    const auto saveUs = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count() /
                        4;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<long> delayUs(0, 2 * saveUs + 100);
    int sawNew = 0; // kills that found version 1: the child's saves really ran
    const int kills = killCount();
    for (int kill = 0; kill < kills; ++kill) {
        int saved[2];
        ASSERT_EQ(::pipe(saved), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(saved[0]);
            for (int version = 1;; version ^= 1) {
                saveVersion(version);
                static_cast<void>(::write(saved[1], "s", 1));
            }
        }
        ::close(saved[1]);
        char byte = 0;
        ASSERT_EQ(::read(saved[0], &byte, 1), 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        ::close(saved[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const std::string now = readFile(file);
        ASSERT_TRUE(now == versions[0] || now == versions[1])
            << "kill " << kill << ": " << now.size() << " bytes of neither version";
        sawNew += now == versions[1] ? 1 : 0;
    }
    EXPECT_GT(sawNew, kills / 10);
    // The killed saves' temporary files go with the next save.
    saveVersion(0);
    int left = 0;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
        left += entry.path() != file &&
                        entry.path().filename().string().find(".lock") == std::string::npos
                    ? 1
                    : 0;
    }
    EXPECT_EQ(left, 0);
}

TEST(KilledSave, NameDayFile) {
    const TempDir dir;
    PosixFileStore files;
    const std::filesystem::path file = dir / "Veskor32.sd";
    std::vector<SaintTable> tables(2, SaintTable());
    tables[1].replace(0, "Nový rok, jiný text");
    std::vector<std::string> versions;
    for (const SaintTable& table : tables) {
        saveSaints(table, files, file);
        versions.push_back(readFile(file));
    }
    ASSERT_NE(versions[0], versions[1]);
    killDuringSaves(
        file,
        [&](int version) { saveSaints(tables[static_cast<std::size_t>(version)], files, file); },
        versions);
}

TEST(KilledSave, AlarmFile) {
    const TempDir dir;
    PosixFileStore files;
    const std::filesystem::path file = dir / kAlarmFileName;
    std::vector<AlarmList> lists(2);
    for (int i = 0; i < 300; ++i) {
        lists[0].append({"07:00", "Ráno " + std::to_string(i), true, 0});
        lists[1].append({"21:30", "Večer " + std::to_string(i), i % 2 == 0, -1});
    }
    std::vector<std::string> versions;
    for (AlarmList& list : lists) {
        list.save(files, file);
        versions.push_back(readFile(file));
    }
    killDuringSaves(
        file, [&](int version) { lists[static_cast<std::size_t>(version)].save(files, file); },
        versions);
}

TEST(KilledSave, Settings) {
    const TempDir dir;
    const std::filesystem::path file = dir / "Veskor Pro.conf";
    const auto valuesOf = [](int version) {
        std::vector<std::pair<std::string, std::int32_t>> values;
        for (int i = 0; i < 50; ++i) {
            values.emplace_back("Value" + std::to_string(i), version * 1000 + i);
        }
        return values;
    };
    std::vector<std::string> versions;
    for (int version : {0, 1}) {
        IniSettingsStore store(file);
        ASSERT_TRUE(store.writeIntegers(valuesOf(version)));
        versions.push_back(readFile(file));
    }
    killDuringSaves(
        file,
        [&](int version) {
            IniSettingsStore store(file);
            store.writeIntegers(valuesOf(version));
        },
        versions);
}

} // namespace
} // namespace veskor
