// `veskor alarms`: the events as text, and the one due at a time.

#include "alarms/core/AlarmsCommand.h"

#include "platform/fake/FakeFileStore.h"

#include <gtest/gtest.h>
#include <sstream>

namespace veskor {
namespace {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

CommandRun run(const std::string& file, std::optional<std::string> due = std::nullopt) {
    FakeFileStore files;
    files.files["/d/Veskor32.aev"] = file;
    std::ostringstream out;
    std::ostringstream err;
    const int status = runAlarmsCommand(due, files, "/d/Veskor32.aev", out, err);
    return {status, out.str(), err.str()};
}

const std::string kTwo = "07:05\r\nMeeting \x9a\r\n1\r\n0\r\n12:30\r\nLunch\r\n0\r\n-1\r\n";

TEST(AlarmsCommand, ListsEveryEventWithItsFlags) {
    const CommandRun r = run(kTwo);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "07:05\tactive\tsound\tMeeting \xc5\xa1\n12:30\tinactive\tsilent\tLunch\n");
    EXPECT_EQ(r.err, "");
}

TEST(AlarmsCommand, ALoadFailureKeepsTheRowsReadAndEndsWithOne) {
    const CommandRun r = run("07:05\r\nMeeting\r\n1\r\nloud\r\n12:30\r\nLunch\r\n1\r\n0\r\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "veskor: Load failed.\n");
    EXPECT_EQ(r.out, "07:05\tactive\tsound\tMeeting\n");
}

TEST(AlarmsCommand, DueFindsTheFirstActiveEventOfThatTime) {
    EXPECT_EQ(run(kTwo, "7:05").out, "Meeting \xc5\xa1\n");
    EXPECT_EQ(run(kTwo, "07:05 AM").status, 0);
    const CommandRun inactive = run(kTwo, "12:30");
    EXPECT_EQ(inactive.status, 1);
    EXPECT_EQ(inactive.out, "");
    const CommandRun bad = run(kTwo, "25:00");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "veskor: '25:00' is not a valid time\n");
    // A row the search reaches that holds no time is the same error.
    const CommandRun badRow = run("noon\r\nx\r\n0\r\n0\r\n" + kTwo, "07:05");
    EXPECT_EQ(badRow.status, 2);
    EXPECT_EQ(badRow.err, "veskor: 'noon' is not a valid time\n");
}

} // namespace
} // namespace veskor
