// Where the data files live.

#include "common/DataDir.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

TEST(DataDir, ChoiceInOrder) {
    bool holds = false;
    bool writable = false;
    DataDirFacts f;
    f.executableDir = "/opt/veskor/bin";
    f.xdgDataHome = "/home/u/.local/share";
    f.holdsDataFiles = [&](const std::filesystem::path&) { return holds; };
    f.isWritable = [&](const std::filesystem::path&) { return writable; };
    EXPECT_EQ(chooseDataDir(f), "/home/u/.local/share/Orvane/Veskor Pro");
    writable = true;
    EXPECT_EQ(chooseDataDir(f), "/opt/veskor/bin");
    writable = false;
    holds = true;
    EXPECT_EQ(chooseDataDir(f), "/opt/veskor/bin");
    f.environment = "/env/dir";
    EXPECT_EQ(chooseDataDir(f), "/env/dir");
    f.commandLine = "/cli/dir";
    EXPECT_EQ(chooseDataDir(f), "/cli/dir");
}

} // namespace
} // namespace veskor
