#include "calendar/widgets/CalendarCommands.h"

#include "calendar/core/MonthText.h"
#include "calendar/core/MoonPhase.h"
#include "common/DateUtils.h"

#include <QCoreApplication>

namespace veskor {

std::vector<CommandDescription> calendarCommands() {
    CommandDescription moon{
        .word = "moon",
        .usage = "moon [YYYY-MM-DD]",
        .summary = QCoreApplication::translate("CalendarCommands",
                                               "the moon's phase angle at 0:00, degrees")
                       .toStdString(),
        .example = "moon 2000-01-06",
        .manual = R"(The moon's phase angle at 0:00 of a day, in degrees.
.RS
Example: \fBveskor moon 2026-12-24\fR
.RE
)",
        .options = {},
        .parse = [](const CommandArgs& args) -> CommandRun {
            const std::optional<DateTime> day = optionalDateArgument(args);
            return [day](CommandContext& context) {
                context.out() << formatPhaseAngle(day.value_or(context.now())) << '\n';
                return 0;
            };
        },
    };
    CommandDescription month{
        .word = "month",
        .usage = "month YYYY-MM",
        .summary = QCoreApplication::translate("CalendarCommands",
                                               "the calendar's month with week numbers")
                       .toStdString(),
        .example = "month 2026-12",
        .manual = R"(The calendar's month with week numbers.
.RS
Example: \fBveskor month 2026-12\fR
.RE
)",
        .options = {},
        .parse = [](const CommandArgs& args) -> CommandRun {
            const CivilDate first = decodeDate(parseIsoMonth(requiredArgument(
                args, QCoreApplication::translate("CalendarCommands", "month needs YYYY-MM")
                          .toStdString())));
            return [first](CommandContext& context) {
                context.out() << monthText(first.year, first.month);
                return 0;
            };
        },
    };
    return {moon, month};
}

} // namespace veskor
