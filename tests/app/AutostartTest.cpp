// The autostart entry: where it goes, what it runs, and the three forms of --autostart.

#include "app/Autostart.h"

#include "app/CommandLine.h"
#include "app/Features.h"
#include "platform/linux/PosixFileStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sstream>

namespace veskor {
namespace {

using test::TempDir;
using test::writeFile;

TEST(Autostart, FolderFollowsTheBaseDirectoryRules) {
    EXPECT_EQ(autostartFile("/x/cfg", "/home/u"), "/x/cfg/autostart/veskor.desktop");
    // Unset, empty and relative XDG_CONFIG_HOME all mean ~/.config.
    for (const char* config : {static_cast<const char*>(nullptr), "", "cfg"}) {
        EXPECT_EQ(autostartFile(config, "/home/u"), "/home/u/.config/autostart/veskor.desktop");
    }
    EXPECT_TRUE(autostartFile(nullptr, nullptr).empty());
}

TEST(Autostart, ExecQuotesWhatTheShellAndTheFileWouldReadOtherwise) {
    const auto execOf = [](const std::string& program) {
        const std::string entry = autostartEntry(program);
        const std::size_t start = entry.find("\nExec=") + 6;
        return entry.substr(start, entry.find('\n', start) - start);
    };
    EXPECT_EQ(execOf("/usr/bin/veskor"), "/usr/bin/veskor");
    EXPECT_EQ(execOf("/opt/My Apps/veskor"), "\"/opt/My Apps/veskor\"");
    // A quote, a dollar and a backslash are escaped for the quoting, then the backslashes
    // once more for the file; a percent sign is doubled.
    EXPECT_EQ(execOf("/o/a\"b$c\\d%e"), "\"/o/a\\\\\"b\\\\$c\\\\\\\\d%%e\"");
}

TEST(Autostart, OnOffAndTheQuestion) {
    const TempDir dir;
    PosixFileStore files;
    const std::filesystem::path entry = dir / "cfg/autostart/veskor.desktop";
    const auto run = [&](const std::string& value) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runAutostartCommand(value, files, entry, "/usr/bin/veskor", out, err);
        EXPECT_EQ(err.str(), "");
        EXPECT_EQ(status, 0);
        return out.str();
    };
    EXPECT_EQ(run(""), "autostart off\n");
    EXPECT_EQ(run("on"), "autostart on: " + entry.string() + "\n");
    EXPECT_EQ(files.read(entry, 4096).bytes, autostartEntry("/usr/bin/veskor"));
    EXPECT_EQ(run(""), "autostart on: " + entry.string() + "\n");
    // An entry the desktop's own settings switched off counts as off.
    ASSERT_EQ(files.save(entry, "[Desktop Entry]\nExec=veskor\nHidden=true\n"), FileSave::Ok);
    EXPECT_EQ(run(""), "autostart off\n");
    EXPECT_EQ(run("off"), "autostart off\n");
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(run("off"), "autostart off\n");
}

TEST(Autostart, AFolderThatCannotBeMadeIsReported) {
    const TempDir dir;
    PosixFileStore files;
    std::ostringstream out;
    std::ostringstream err;
    writeFile(dir / "cfg", ""); // a file where the folder should be
    EXPECT_EQ(
        runAutostartCommand("on", files, dir / "cfg/autostart/veskor.desktop", "/v", out, err), 1);
    EXPECT_EQ(err.str(),
              "veskor: cannot write " + (dir / "cfg/autostart/veskor.desktop").string() + "\n");
}

TEST(Autostart, CommandLineForms) {
    const CommandWords words{allCommands(allFeatures()), {"calendar"}, {}};
    EXPECT_EQ(parseCommandLine({"--autostart"}, words).autostart, "");
    EXPECT_EQ(parseCommandLine({"--autostart"}, words).mode, CommandLine::Mode::Autostart);
    EXPECT_EQ(parseCommandLine({"--autostart", "on"}, words).autostart, "on");
    EXPECT_EQ(parseCommandLine({"--autostart=off"}, words).autostart, "off");
    EXPECT_THROW(parseCommandLine({"--autostart=maybe"}, words), UsageError);
    EXPECT_THROW(parseCommandLine({"--autostart", "maybe"}, words), UsageError);
    EXPECT_THROW(parseCommandLine({"day", "--autostart"}, words), UsageError);
}

} // namespace
} // namespace veskor
