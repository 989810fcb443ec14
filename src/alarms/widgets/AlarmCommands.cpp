#include "alarms/widgets/AlarmCommands.h"

#include "alarms/core/AlarmList.h"
#include "alarms/core/AlarmsCommand.h"

#include <QCoreApplication>

namespace veskor {

std::vector<CommandDescription> alarmCommands() {
    return {{
        .word = "alarms",
        .usage = "alarms [--due HH:MM]",
        .summary =
            QCoreApplication::translate("AlarmCommands", "the alarm events, or the one due then")
                .toStdString(),
        .example = "alarms --due 7:05",
        .manual = R"(The alarm events, or the one due at a time of day.
.RS
Example: \fBveskor alarms \-\-due 7:30\fR
.RE
)",
        .options = {{"--due", ""}},
        .parse = [](const CommandArgs& args) -> CommandRun {
            noArguments(args);
            return [due = args.option("--due")](CommandContext& context) {
                return runAlarmsCommand(due, context.files(), context.dataDir() / kAlarmFileName,
                                        context.out(), context.err());
            };
        },
    }};
}

} // namespace veskor
