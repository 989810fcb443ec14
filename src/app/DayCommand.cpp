#include "app/DayCommand.h"

#include "bar/core/StatusTexts.h"
#include "common/DateUtils.h"
#include "namedays/widgets/NameDayCommands.h"

#include <QCoreApplication>

namespace veskor {

int runDayCommand(DateTime day, const SaintTable& saints, const std::string& saintFile,
                  const LocaleFormat& locale, std::ostream& out, std::ostream& err) {
    const DateRowTexts row = computeDateRow(day, saints, locale);
    out << "date\t" << row.date << '\n';
    if (row.saint) {
        out << "saint\t" << *row.saint << '\n';
    }
    if (row.tomorrow) {
        out << "tomorrow\t" << *row.tomorrow << '\n';
    }
    out << "dayofyear\t" << dayOfYear(day) << '\n' << "week\t" << weekOfYear(day) << '\n';
    if (!row.error.empty()) {
        err << saintTableError(row.error, saintFile);
        return 1;
    }
    return 0;
}

CommandDescription dayCommand() {
    return {
        .word = "day",
        .usage = "day [YYYY-MM-DD]",
        .summary = QCoreApplication::translate("DayCommand", "the texts the bar shows for a day")
                       .toStdString(),
        .example = "day 1998-07-06",
        .manual =
            R"(The texts of the date row for a day (default today): date, name-day, tomorrow's name-day, day
of the year and week.
.RS
Example: \fBveskor day 2026-12-24\fR
.RE
)",
        .options = {},
        .parse = [](const CommandArgs& args) -> CommandRun {
            const std::optional<DateTime> day = optionalDateArgument(args);
            return [day](CommandContext& context) {
                SaintTable saints;
                std::string file;
                if (!loadCommandSaints(context, saints, file)) {
                    return 1;
                }
                return runDayCommand(day.value_or(static_cast<DateTime>(dateOf(context.now()))),
                                     saints, file, context.locale(), context.out(), context.err());
            };
        },
    };
}

} // namespace veskor
