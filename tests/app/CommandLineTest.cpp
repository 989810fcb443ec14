// The text commands and the parsing of the command line.

#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <sstream>

namespace veskor {
namespace {

const std::vector<std::string> kWords{"calendar", "scope", "memory"};

CommandLine parse(const std::vector<std::string>& args) {
    return parseCommandLine(args, kWords);
}

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

CommandRun runArgs(const std::vector<std::string>& args, DateTime today = encodeDate(2026, 12, 7)) {
    const SaintTable saints;
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        runTextCommand(parse(args), saints.strings, today, LocaleFormat::english(), out, err);
    return {status, out.str(), err.str()};
}

TEST(TextCommands, DayPrintsTheFiveLinesOfTheBar) {
    const CommandRun r = runArgs({"day", "1998-07-06"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "date\tMo, 6.7. 1998\nsaint\tJan Hus\ntomorrow\tBohuslava\n"
                     "dayofyear\t187\nweek\t28\n");
    const CommandRun today = runArgs({"day"}, encodeDate(2026, 12, 7) + 0.75);
    EXPECT_EQ(today.out, "date\tMo, 7.12. 2026\nsaint\tAmbrož\ntomorrow\tKvětoslava\n"
                         "dayofyear\t341\nweek\t50\n");
}

TEST(TextCommands, SaintOfADayAndOfToday) {
    EXPECT_EQ(runArgs({"saint", "2024-02-29"}).out, "Horymír\n");
    EXPECT_EQ(runArgs({"saint", "2023-03-01"}).out, "Bedřich\n");
    EXPECT_EQ(runArgs({"saint"}).out, "Ambrož\n");
}

TEST(TextCommands, FindUsesTheSearchRules) {
    EXPECT_EQ(runArgs({"find", "KARINA", "--year", "2024"}).out, "2024-01-02\n");
    EXPECT_EQ(runArgs({"find", "Petr"}).out, "2026-02-22\n");
    EXPECT_EQ(runArgs({"find", "Nový rok"}).out, "2026-01-01\n");
    EXPECT_EQ(runArgs({"find", "Horymír", "--year", "2024"}).out, "2024-02-29\n");
    // The search gives day 0 for 29 February of a common year.
    EXPECT_EQ(runArgs({"find", "Horymír", "--year", "2023"}).out, "1899-12-30\n");
    for (const char* missing : {"Matylda", "čestmír", "Karina "}) {
        const CommandRun r = runArgs({"find", missing});
        EXPECT_EQ(r.status, 1) << missing;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Not found.\n");
    }
}

TEST(CommandLineParsing, OptionsAnywhereAndTheirValues) {
    CommandLine cl = parse({"--data-dir", "/d", "find", "Eva", "--year", "2030"});
    EXPECT_EQ(cl.mode, CommandLine::Mode::Find);
    EXPECT_EQ(cl.dataDir, "/d");
    EXPECT_EQ(cl.name, "Eva");
    EXPECT_EQ(cl.year, 2030);
    cl = parse({"--screenshot", "a.png", "--at", "2026-12-07 19:28:10"});
    EXPECT_EQ(cl.mode, CommandLine::Mode::Screenshot);
    EXPECT_EQ(cl.screenshotFile, "a.png");
    EXPECT_DOUBLE_EQ(*cl.at, encodeDate(2026, 12, 7) + encodeTime(19, 28, 10, 0));
    cl = parse({"--panel", "scope", "--screenshot", "b.png", "--menu"});
    EXPECT_EQ(cl.panel, "scope");
    EXPECT_TRUE(cl.menu);
    EXPECT_EQ(parse({}).mode, CommandLine::Mode::Bar);
    EXPECT_EQ(parse({"--data-dir", "x"}).mode, CommandLine::Mode::Bar);
}

TEST(CommandLineParsing, BadInputIsAUsageError) {
    const std::vector<std::vector<std::string>> bad = {
        {"day", "2026-02-30"},
        {"day", "2026-2-3"},
        {"day", "20261207"},
        {"day", "2026-12-07", "more"},
        {"find"},
        {"find", "a", "b"},
        {"saint", "--year", "2020"},
        {"find", "x", "--year"},
        {"find", "x", "--year", "20x0"},
        {"--bogus"},
        {"dance"},
        {"--screenshot"},
        {"--screenshot", "f.png", "--at", "2026-12-07 24:00:00"},
        {"--screenshot", "f.png", "--at", "2026-12-07"},
        {"day", "--at", "2026-12-07 10:00:00"},
        {"--panel", "calendar"},
        {"--screenshot", "f.png", "--panel", "clock"},
        {"day", "--menu"},
    };
    for (const auto& args : bad) {
        EXPECT_THROW(parse(args), UsageError) << args[0] << " " << args.size();
    }
}

TEST(CommandLineParsing, DatesRoundTrip) {
    for (const char* d : {"0001-01-01", "1899-12-30", "2000-02-29", "9999-12-31"}) {
        EXPECT_EQ(formatIsoDate(parseIsoDate(d)), d);
    }
}

} // namespace
} // namespace veskor
