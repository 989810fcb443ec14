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

TEST(AlarmsCommand, BadRowsGoToStandardErrorAndEndWithOne) {
    const CommandRun r = run("07:05\r\nMeeting\r\n1\r\nloud\r\n"
                             "24:00\r\n\x1b]0;owned\x07\r\n1\r\n0\r\n" +
                             kTwo);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "veskor: Load failed.\n"
                     "veskor: Veskor32.aev, event 1: 'loud' is not a valid integer value\n"
                     "veskor: Veskor32.aev, event 2: '24:00' is not a valid time\n");
    EXPECT_EQ(r.out, "07:05\tactive\tsound\tMeeting \xc5\xa1\n12:30\tinactive\tsilent\tLunch\n");
    // Nothing from the file reaches the terminal raw.
    const CommandRun escaped = run("07:05\r\n\x1b[31mred\tcell\r\n1\r\n0\r\n");
    EXPECT_EQ(escaped.out, "07:05\tactive\tsound\t\\x1b[31mred\\x09cell\n");
    const CommandRun longTime = run(std::string(30, '9') + "\r\nx\r\n1\r\n0\r\n");
    EXPECT_EQ(longTime.err, "veskor: Veskor32.aev, event 1: '" + std::string(20, '9') +
                                "\xe2\x80\xa6' is not a valid time\n");
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
    // A row that holds no time is passed over and reported; the data is bad, not the command.
    const CommandRun badRow = run("noon\r\nx\r\n1\r\n0\r\n" + kTwo, "07:05");
    EXPECT_EQ(badRow.status, 1);
    EXPECT_EQ(badRow.out, "Meeting \xc5\xa1\n");
    EXPECT_EQ(badRow.err, "veskor: Veskor32.aev, event 1: 'noon' is not a valid time\n");
}

} // namespace
} // namespace veskor
