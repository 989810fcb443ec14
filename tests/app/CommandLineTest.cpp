// The parsing of the command line, --help, and the bar's own day command.

#include "app/CommandLine.h"

#include "app/DayCommand.h"
#include "app/DisplayChoice.h"
#include "app/Features.h"
#include "app/Help.h"
#include "calendar/core/MonthText.h"
#include "calendar/core/MoonPhase.h"
#include "common/DateUtils.h"
#include "namedays/core/SaintFile.h"
#include "support/FakeCommandContext.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace veskor {
namespace {

const CommandWords kWords{
    allCommands(allFeatures()), {"calendar", "scope", "memory"}, {{"alarms"}, {"fileinfo", true}}};

CommandLine parse(const std::vector<std::string>& args) {
    return parseCommandLine(args, kWords);
}

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the command the words ask for, on the table saved in the data folder or the built-in one.
CommandRun runArgs(const std::vector<std::string>& args, const SaintTable* saved = nullptr,
                   DateTime today = encodeDate(2026, 12, 7)) {
    test::FakeCommandContext context(today);
    if (saved != nullptr) {
        saveSaints(*saved, context.fileStore, "/d/Veskor32.sd");
    }
    const int status = parse(args).run(context);
    return {status, context.output.str(), context.errors.str()};
}

TEST(DayCommand, PrintsTheFiveLinesOfTheBar) {
    const CommandRun r = runArgs({"day", "1998-07-06"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "date\tMo, 6.7. 1998\nsaint\tJan Hus\ntomorrow\tBohuslava\n"
                     "dayofyear\t187\nweek\t28\n");
    const CommandRun today = runArgs({"day"}, nullptr, encodeDate(2026, 12, 7) + 0.75);
    EXPECT_EQ(today.out, "date\tMo, 7.12. 2026\nsaint\tAmbrož\ntomorrow\tKvětoslava\n"
                         "dayofyear\t341\nweek\t50\n");
}

TEST(DayCommand, ATableEndingOnTheDayPrintsWhatItHasAndTheFile) {
    const SaintTable shortTable(
        std::vector<std::string>(builtInSaints().begin(), builtInSaints().begin() + 342));
    const CommandRun day = runArgs({"day", "2026-12-07"}, &shortTable);
    EXPECT_EQ(day.status, 1);
    EXPECT_EQ(day.out, "date\tMo, 7.12. 2026\nsaint\tAmbrož\ndayofyear\t341\nweek\t50\n");
    EXPECT_EQ(day.err, "veskor: List index out of bounds (342) in /d/Veskor32.sd\n");
}

// The command line as words, each group kept together (an option and its value) in every order.
void expectSameInAnyOrder(std::vector<std::vector<std::string>> groups) {
    std::ranges::sort(groups);
    std::optional<std::optional<CommandLine>> first; // nullopt inside: a usage error
    do {
        std::vector<std::string> args;
        for (const auto& group : groups) {
            args.insert(args.end(), group.begin(), group.end());
        }
        std::optional<CommandLine> cl;
        try {
            cl = parse(args);
        } catch (const UsageError&) {
        }
        if (!first) {
            first = cl;
        }
        EXPECT_EQ(cl, *first) << args.front() << " ... " << args.back();
    } while (std::ranges::next_permutation(groups).found);
}

TEST(CommandLineParsing, OptionsAnywhereAndTheirValues) {
    CommandLine cl = parse({"--data-dir", "/d", "find", "Eva", "--year", "2030"});
    EXPECT_EQ(cl.mode, CommandLine::Mode::Command);
    EXPECT_EQ(cl.command, "find");
    EXPECT_EQ(cl.dataDir, "/d");
    EXPECT_EQ(cl.args, (CommandArgs{{"Eva"}, {{"--year", "2030"}}}));
    EXPECT_EQ(parse({"find", "--year=2030", "--data-dir=/d", "Eva"}), cl);
    EXPECT_EQ(parse({"find", "--", "-x"}).args.arguments, std::vector<std::string>{"-x"});
    cl = parse({"--screenshot", "a.png", "--at", "2026-12-07 19:28:10"});
    EXPECT_EQ(cl.mode, CommandLine::Mode::Screenshot);
    EXPECT_EQ(cl.screenshotFile, "a.png");
    EXPECT_DOUBLE_EQ(*cl.at, encodeDate(2026, 12, 7) + encodeTime(19, 28, 10, 0));
    cl = parse({"--panel", "scope", "--screenshot", "b.png", "--menu"});
    EXPECT_EQ(cl.panel, "scope");
    EXPECT_TRUE(cl.menu);
    EXPECT_EQ(parse({}).mode, CommandLine::Mode::Bar);
    EXPECT_EQ(parse({"--data-dir", "x"}).mode, CommandLine::Mode::Bar);
    // The bar itself takes --at: its clock starts there.
    cl = parse({"--at", "2026-12-08 10:00:56"});
    EXPECT_EQ(cl.mode, CommandLine::Mode::Bar);
    EXPECT_DOUBLE_EQ(*cl.at, encodeDate(2026, 12, 8) + encodeTime(10, 0, 56, 0));
    cl = parse({"--due", "7:05", "alarms"});
    EXPECT_EQ(cl.command, "alarms");
    EXPECT_EQ(cl.args.option("--due"), "7:05");

    expectSameInAnyOrder({{"find"}, {"--year", "2030"}, {"--data-dir", "/d"}});
    expectSameInAnyOrder({{"--screenshot", "k.png"},
                          {"--panel", "scope"},
                          {"--menu"},
                          {"--at", "2026-12-07 19:28:10"}});
    expectSameInAnyOrder({{"day"}, {"--screenshot", "k.png"}});
    expectSameInAnyOrder({{"saint"}, {"--menu"}, {"--data-dir", "/d"}});
}

TEST(CommandLineParsing, MoonTakesADayAndMonthAMonth) {
    const DateTime today = encodeDate(2026, 12, 7) + 0.5;
    EXPECT_EQ(runArgs({"moon"}, nullptr, today).out, formatPhaseAngle(today) + '\n');
    EXPECT_EQ(runArgs({"moon", "2000-01-06"}).out, formatPhaseAngle(encodeDate(2000, 1, 6)) + '\n');
    EXPECT_EQ(runArgs({"month", "2100-12", "--data-dir", "/d"}).out, monthText(2100, 12));
    EXPECT_EQ(runArgs({"month", "1900-01"}).out, monthText(1900, 1));
    EXPECT_EQ(parse({"cpu"}).command, "cpu");
}

TEST(CommandLineParsing, FileInfoTakesOneFileAndCalcItsKeys) {
    EXPECT_EQ(parse({"sysinfo"}).command, "sysinfo");
    EXPECT_EQ(parse({"fileinfo", "a b.exe"}).args.arguments, std::vector<std::string>{"a b.exe"});
    EXPECT_THROW(parse({"fileinfo"}), UsageError);
    EXPECT_THROW(parse({"fileinfo", "a", "b"}), UsageError);
    // "-" is a key, not an option; a negative start value goes after "=".
    const CommandLine cl = parse({"calc", "2", "-", "M-", "=", "--value=-1.5"});
    EXPECT_EQ(cl.command, "calc");
    EXPECT_EQ(cl.args, (CommandArgs{{"2", "-", "M-", "="}, {{"--value", "-1.5"}}}));
    EXPECT_THROW(parse({"day", "--value", "3"}), UsageError);
}

TEST(CommandLineParsing, HelpShowsAnExampleOfEveryCommandThatParses) {
    const std::string help = usage(kWords);
    for (const CommandDescription& command : kWords.commands) {
        EXPECT_NE(help.find("\n  veskor " + command.example + '\n'), std::string::npos)
            << command.word;
        std::vector<std::string> words;
        std::istringstream example(command.example);
        for (std::string word; example >> word;) {
            words.push_back(word);
        }
        EXPECT_EQ(parse(words).command, command.word);
    }
    for (const std::string option : {"--screenshot", "--autostart"}) {
        EXPECT_NE(help.find("\n  veskor " + option), std::string::npos) << option;
    }
}

TEST(CommandLineParsing, WindowTakesAWordOfTheTableAndFileinfoItsFile) {
    CommandLine cl = parse({"--screenshot", "a.png", "--window", "alarms"});
    EXPECT_EQ(cl.mode, CommandLine::Mode::Screenshot);
    EXPECT_EQ(cl.window, "alarms");
    // The file may be named like a command.
    cl = parse({"--window", "fileinfo", "day", "--screenshot", "a.png"});
    EXPECT_EQ(cl.window, "fileinfo");
    EXPECT_EQ(cl.file, "day");
    expectSameInAnyOrder({{"--screenshot", "k.png"}, {"--window", "fileinfo"}, {"x.msi"}});

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--window", "alarms"},
             {"--screenshot", "a.png", "--window", "alarms", "x"},
             {"--screenshot", "a.png", "--window", "alarms", "--menu"},
             {"--screenshot", "a.png", "--window", "alarms", "--panel", "scope"},
             {"--screenshot", "a.png", "--window", "fileinfo"},
             {"--screenshot", "a.png", "--window", "fileinfo", "a", "b"},
             {"fileinfo", "a", "--window", "alarms", "--screenshot", "a.png"}}) {
        EXPECT_THROW(parse(args), UsageError) << args.back();
    }
    try {
        parse({"--screenshot", "a.png", "--window", "clock"});
        ADD_FAILURE();
    } catch (const UsageError& e) {
        EXPECT_EQ(std::string(e.what()), "unknown window 'clock' (alarms, fileinfo)");
    }
    const std::string help = usage(kWords);
    EXPECT_NE(help.find("[--window alarms|fileinfo FILE]"), std::string::npos) << help;
    EXPECT_NE(help.find("\n  veskor --screenshot alarms.png --window alarms\n"), std::string::npos);
}

TEST(DisplayChoice, X11WhereverThereIsOneAndOneLineWhereThereIsNone) {
    EXPECT_EQ(chooseDisplay(nullptr, ":0", "wayland-0").platform, "xcb");
    EXPECT_EQ(chooseDisplay("", ":1", nullptr).platform, "xcb");
    const DisplayChoice named = chooseDisplay("offscreen", nullptr, "wayland-0");
    EXPECT_TRUE(named.platform.empty() && named.problem.empty());
    for (const char* wayland : {"wayland-0", static_cast<const char*>(nullptr)}) {
        const DisplayChoice none = chooseDisplay(nullptr, "", wayland);
        EXPECT_TRUE(none.platform.empty());
        EXPECT_NE(none.problem.find("DISPLAY is not set"), std::string::npos);
        EXPECT_EQ(none.problem.find('\n'), std::string::npos);
    }
}

TEST(CommandLineParsing, HelpAndVersionWinWhereverTheyStand) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"dance", "--help"},
                                               {"--bogus", "-h"},
                                               {"day", "2026-02-30", "--help"},
                                               {"--screenshot", "--help"},
                                               {"--menu", "--menu", "--help"}}) {
        EXPECT_EQ(parse(args).mode, CommandLine::Mode::Help) << args.front();
    }
    EXPECT_EQ(parse({"find", "--year", "x", "--version"}).mode, CommandLine::Mode::Version);
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
        {"find", "x", "--year", "2020", "--year", "2021"},
        {"--data-dir", "a", "--data-dir", "a"},
        {"--data-dir="},
        {"--screenshot", "f.png", "--menu=1"},
        {"--bogus"},
        {"day", "-x"},
        {"dance"},
        {"--screenshot"},
        {"--screenshot", "--menu"},
        {"--screenshot", "f.png", "--at", "2026-12-07 24:00:00"},
        {"--screenshot", "f.png", "--at", "2026-12-07"},
        {"day", "--at", "2026-12-07 10:00:00"},
        {"alarms", "--at", "2026-12-07 10:00:00"},
        {"alarms", "7:05"},
        {"day", "--due", "7:05"},
        {"day", "--screenshot", "k.png"},
        {"--panel", "calendar"},
        {"--screenshot", "f.png", "--panel", "clock"},
        {"saint", "--menu"},
        {"moon", "2000-01-06", "more"},
        {"moon", "--year", "2000"},
        {"month"},
        {"month", "2010-1"},
        {"month", "2010-13"},
        {"month", "2010-01-01"},
        {"month", "1899-12"},
        {"month", "2101-01"},
        {"month", "2010-01", "2010-02"},
        {"cpu", "0"},
        {"cpu", "--year", "2000"},
    };
    for (const auto& args : bad) {
        EXPECT_THROW(parse(args), UsageError) << args[0] << " " << args.size();
    }
    // The whole value is quoted, not only its date.
    try {
        parse({"--screenshot", "f.png", "--at", "2024-02-30 10:00:00"});
        ADD_FAILURE();
    } catch (const UsageError& e) {
        EXPECT_NE(std::string(e.what()).find("'2024-02-30 10:00:00'"), std::string::npos)
            << e.what();
    }
}

// The one-line explanation of a command line that cannot be understood.
std::string usageErrorOf(const std::vector<std::string>& args) {
    try {
        parse(args);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(understood)";
}

TEST(CommandLineParsing, ValuesBeginningWithADashYearsAndTheWordsOfErrors) {
    EXPECT_EQ(parse({"calc", "--value", "-5", "-", "3", "="}).args,
              (CommandArgs{{"-", "3", "="}, {{"--value", "-5"}}}));
    // The command's own errors come through the parse.
    EXPECT_EQ(usageErrorOf({"find", "Karina", "--year", "-1"}),
              "year -1 is out of range (1 to 9999)");
    EXPECT_EQ(usageErrorOf({"find", "Karina", "--year", "10000"}),
              "year 10000 is out of range (1 to 9999)");
    // A long option after one that takes a value is not its value.
    EXPECT_EQ(usageErrorOf({"--screenshot", "--menu"}), "option --screenshot needs a value");
    EXPECT_EQ(usageErrorOf({"day", "--at", "2026-12-07 10:00:00"}),
              "option --at belongs to the bar and --screenshot, not to the day command");
    EXPECT_EQ(usageErrorOf({"day", "--due", "7:05"}),
              "option --due belongs to the alarms command, not to the day command");
    EXPECT_EQ(usageErrorOf({"--=x"}), "malformed option '--=x'");
}

TEST(CommandLineParsing, DatesRoundTrip) {
    for (const char* d : {"0001-01-01", "1899-12-30", "2000-02-29", "9999-12-31"}) {
        EXPECT_EQ(formatIsoDate(parseIsoDate(d)), d);
    }
}

} // namespace
} // namespace veskor
