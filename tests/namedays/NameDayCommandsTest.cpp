// The saint and find commands on the built-in table and on tables that end early or run long.

#include "namedays/widgets/NameDayCommands.h"

#include "common/DateUtils.h"
#include "namedays/core/SaintFile.h"
#include "support/FakeCommandContext.h"

#include <gtest/gtest.h>
#include <sstream>

namespace veskor {
namespace {

const std::string kFile = "/d/Veskor32.sd";

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

// The command `word` on the table saved in the data folder, or on the built-in one.
CommandRun run(const std::string& word, CommandArgs args, const SaintTable* saved = nullptr) {
    test::FakeCommandContext context(encodeDate(2026, 12, 7) + 0.75);
    if (saved != nullptr) {
        saveSaints(*saved, context.fileStore, kFile);
    }
    for (const CommandDescription& command : nameDayCommands()) {
        if (command.word == word) {
            const int status = command.parse(args)(context);
            return {status, context.output.str(), context.errors.str()};
        }
    }
    ADD_FAILURE() << "no command " << word;
    return {};
}

// The built-in entries, cut to `count` or extended by `extra`.
SaintTable table(std::size_t count, std::vector<std::string> extra = {}) {
    std::vector<std::string> items(builtInSaints().begin(),
                                   builtInSaints().begin() + static_cast<std::ptrdiff_t>(count));
    items.insert(items.end(), extra.begin(), extra.end());
    return SaintTable(std::move(items));
}

TEST(NameDayCommands, SaintOfADayAndOfToday) {
    EXPECT_EQ(run("saint", {{"2024-02-29"}, {}}).out, "Horymír\n");
    EXPECT_EQ(run("saint", {{"2023-03-01"}, {}}).out, "Bedřich\n");
    EXPECT_EQ(run("saint", {}).out, "Ambrož\n");
    EXPECT_THROW(run("saint", {{"2023-02-29"}, {}}), UsageError);
    EXPECT_THROW(run("saint", {{"2023-03-01", "x"}, {}}), UsageError);
}

TEST(NameDayCommands, ATableEndingBeforeTheDayNamesItsFile) {
    const SaintTable shortTable = table(342);
    const CommandRun saint = run("saint", {{"2026-12-08"}, {}}, &shortTable);
    EXPECT_EQ(saint.status, 1);
    EXPECT_EQ(saint.out, "");
    EXPECT_EQ(saint.err, "veskor: List index out of bounds (342) in /d/Veskor32.sd\n");
}

TEST(NameDayCommands, FindTellsFoundMissingDayAndNotFoundApart) {
    EXPECT_EQ(run("find", {{"KARINA"}, {{"--year", "2024"}}}).out, "2024-01-02\n");
    EXPECT_EQ(run("find", {{"Petr"}, {}}).out, "2026-02-22\n");
    EXPECT_EQ(run("find", {{"Nový rok"}, {}}).out, "2026-01-01\n");
    EXPECT_EQ(run("find", {{"Horymír"}, {{"--year", "2024"}}}).out, "2024-02-29\n");
    EXPECT_EQ(run("find", {{"Karina"}, {{"--year", "100"}}}).out, "0100-01-02\n");
    const CommandRun leapDay = run("find", {{"horymír"}, {{"--year", "2023"}}});
    EXPECT_EQ(leapDay.status, 1);
    EXPECT_EQ(leapDay.out, "");
    EXPECT_EQ(leapDay.err, "veskor: Horymír is on 29 February, which 2023 does not have\n");

    // Past the last day of the year, and texts the code page cannot hold, which must not
    // match a "?" entry.
    SaintTable odd = table(366, {"Navic"});
    odd.replace(100, "?");
    EXPECT_EQ(run("find", {{"?"}, {}}, &odd).out, "2026-04-10\n");
    for (const char* missing : {"Matylda", "čestmír", "Karina ", "Navic", "\xff", "☃"}) {
        const CommandRun r = run("find", {{missing}, {}}, &odd);
        EXPECT_EQ(r.status, 1) << missing;
        EXPECT_EQ(r.out, "") << missing;
        EXPECT_EQ(r.err, "veskor: Not found.\n") << missing;
    }
}

// The one-line explanation of find's arguments that cannot be understood.
std::string findUsageError(CommandArgs args) {
    try {
        run("find", std::move(args));
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(understood)";
}

TEST(NameDayCommands, FindNeedsOneNameAndAYearTheDayCountHas) {
    EXPECT_EQ(findUsageError({}), "find needs a NAME");
    EXPECT_EQ(findUsageError({{"a", "b"}, {}}), "too many arguments");
    EXPECT_EQ(findUsageError({{"Karina"}, {{"--year", "9999"}}}), "(understood)");
    EXPECT_EQ(findUsageError({{"Karina"}, {{"--year", "-1"}}}),
              "year -1 is out of range (1 to 9999)");
    EXPECT_EQ(findUsageError({{"Karina"}, {{"--year", "10000"}}}),
              "year 10000 is out of range (1 to 9999)");
    EXPECT_EQ(findUsageError({{"Karina"}, {{"--year", "20x0"}}}),
              "invalid year '20x0' (1 to 9999)");
    EXPECT_EQ(findUsageError({{"Karina"}, {{"--year", "1234567"}}}),
              "invalid year '1234567' (1 to 9999)");
}

} // namespace
} // namespace veskor
