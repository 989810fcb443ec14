#include "namedays/widgets/NameDayCommands.h"

#include "common/Cp1250.h"
#include "common/DateUtils.h"
#include "common/Error.h"
#include "namedays/core/SaintFile.h"

#include <QCoreApplication>

namespace veskor {

namespace {

// The years the day count can show.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

int parseYear(const std::string& year) {
    const QString range = QCoreApplication::translate("NameDayCommands", " (%1 to %2)")
                              .arg(kFirstYear)
                              .arg(kLastYear);
    const bool negative = year.starts_with('-');
    const std::size_t digits = year.size() - (negative ? 1 : 0);
    const std::string_view number = std::string_view(year).substr(negative ? 1 : 0);
    if (digits == 0 || digits > 6 ||
        number.find_first_not_of("0123456789") != std::string_view::npos) {
        throw UsageError(QCoreApplication::translate("NameDayCommands", "invalid year '%1'%2")
                             .arg(QString::fromStdString(year), range)
                             .toStdString());
    }
    const int y = std::stoi(std::string(number));
    if (negative || y < kFirstYear || y > kLastYear) {
        throw UsageError(QCoreApplication::translate("NameDayCommands", "year %1 is out of range%2")
                             .arg(QString::fromStdString(year), range)
                             .toStdString());
    }
    return y;
}

// Runs `command` on the table of the data folder.
template <typename Command> int withSaints(CommandContext& context, Command command) {
    SaintTable saints;
    std::string file;
    if (!loadCommandSaints(context, saints, file)) {
        return 1;
    }
    return command(saints, file);
}

} // namespace

bool loadCommandSaints(CommandContext& context, SaintTable& table, std::string& file) {
    const std::filesystem::path path = context.dataDir() / kSaintFileName;
    try {
        if (loadSaints(table, context.files(), path)) {
            std::error_code ec;
            const std::filesystem::path full = std::filesystem::absolute(path, ec);
            file = (ec ? path : full).string();
        }
        return true;
    } catch (const Error& e) {
        context.err() << "veskor: " << e.what() << '\n';
        return false;
    }
}

std::string saintTableError(const std::string& text, const std::string& saintFile) {
    const QString problem = QString::fromStdString(text);
    return (saintFile.empty()
                ? QCoreApplication::translate("NameDayCommands", "veskor: %1").arg(problem)
                : QCoreApplication::translate("NameDayCommands", "veskor: %1 in %2")
                      .arg(problem, QString::fromStdString(saintFile)))
               .toStdString() +
           '\n';
}

int runSaintCommand(DateTime day, const SaintTable& saints, const std::string& saintFile,
                    std::ostream& out, std::ostream& err) {
    try {
        out << cp1250ToUtf8(saintOfDate(saints, day)) << '\n';
        return 0;
    } catch (const Error& e) {
        err << saintTableError(e.what(), saintFile);
        return 1;
    }
}

int runFindCommand(const std::string& name, int year, const SaintTable& saints, std::ostream& out,
                   std::ostream& err) {
    // A name the table's code page cannot hold names no entry; "?" would match "?" entries.
    const std::optional<std::string> bytes = utf8ToCp1250Strict(name);
    const std::optional<int> index = bytes ? findSaintIndex(saints, *bytes) : std::nullopt;
    // Entries past the last day of the year (a long file) have no date.
    if (!index || *index >= kSaintTableDays) {
        err << QCoreApplication::translate("NameDayCommands", "veskor: Not found.").toStdString()
            << '\n';
        return 1;
    }
    if (*index == kLeapDayIndex && !isLeapYear(year)) {
        err << QCoreApplication::translate("NameDayCommands",
                                           "veskor: %1 is on 29 February, which %2 does not have")
                   .arg(QString::fromStdString(cp1250ToUtf8(saints.at(*index))))
                   .arg(year)
                   .toStdString()
            << '\n';
        return 1;
    }
    out << formatIsoDate(saintPositionToDate(*index + 1, year)) << '\n';
    return 0;
}

std::vector<CommandDescription> nameDayCommands() {
    CommandDescription saint{
        .word = "saint",
        .usage = "saint [YYYY-MM-DD]",
        .summary =
            QCoreApplication::translate("NameDayCommands", "the name-day of a day").toStdString(),
        .example = "saint 2026-12-24",
        .manual = R"(The name-day of a day.
.RS
Example: \fBveskor saint 2026-07-05\fR
.RE
)",
        .options = {},
        .parse = [](const CommandArgs& args) -> CommandRun {
            const std::optional<DateTime> day = optionalDateArgument(args);
            return [day](CommandContext& context) {
                return withSaints(context, [&](const SaintTable& saints, const std::string& file) {
                    return runSaintCommand(day.value_or(context.now()), saints, file, context.out(),
                                           context.err());
                });
            };
        },
    };
    CommandDescription find{
        .word = "find",
        .usage = "find NAME [--year YYYY]",
        .summary =
            QCoreApplication::translate("NameDayCommands", "the date of a name-day").toStdString(),
        .example = "find Karina --year 2027",
        .manual = R"(The date of a name-day.
.RS
Example: \fBveskor find Ludmila \-\-year 2027\fR
.RE
)",
        .options = {{"--year",
                     QCoreApplication::translate(
                         "NameDayCommands",
                         "  --year YYYY     find: the year, 1 to 9999 (default: this year)\n")
                         .toStdString()}},
        .parse = [](const CommandArgs& args) -> CommandRun {
            const std::string name = requiredArgument(
                args,
                QCoreApplication::translate("NameDayCommands", "find needs a NAME").toStdString());
            const std::optional<std::string> year = args.option("--year");
            const std::optional<int> y = year ? std::optional(parseYear(*year)) : std::nullopt;
            return [name, y](CommandContext& context) {
                return withSaints(context, [&](const SaintTable& saints, const std::string&) {
                    return runFindCommand(name, y.value_or(decodeDate(context.now()).year), saints,
                                          context.out(), context.err());
                });
            };
        },
    };
    return {saint, find};
}

} // namespace veskor
