#include "alarms/core/AlarmsCommand.h"

#include "alarms/core/AlarmList.h"
#include "common/Cp1250.h"
#include "common/Error.h"

#include <QCoreApplication>

namespace veskor {

int runAlarmsCommand(const std::optional<std::string>& due, IFileStore& files,
                     const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
    std::optional<DateTime> time;
    if (due) {
        time = parseTimeOfDay(*due);
        if (!time) {
            err << QCoreApplication::translate("AlarmsCommand", "veskor: '%1' is not a valid time")
                       .arg(QString::fromStdString(*due))
                       .toStdString()
                << '\n';
            return 2;
        }
    }
    AlarmList list;
    const AlarmLoad load = list.load(files, file);
    if (load.loadFailed()) {
        err << QCoreApplication::translate("AlarmsCommand", "veskor: Load failed.").toStdString()
            << '\n';
    }
    for (const std::string& problem : load.problems) {
        err << "veskor: " << problem << '\n';
    }
    // The data is bad, not the command line.
    const int status = load.problems.empty() ? 0 : 1;
    if (!time) {
        for (const AlarmEvent& event : list.events()) {
            if (event.unreadSound || !parseTimeOfDay(event.time)) {
                continue; // reported above
            }
            out << cp1250ToPrintable(event.time) << '\t' << (event.active ? "active" : "inactive")
                << '\t' << (event.hasSound() ? "sound" : "silent") << '\t'
                << cp1250ToPrintable(event.message) << '\n';
        }
        return status;
    }
    const int index = list.findEvent(*time);
    if (index < 0) {
        return 1;
    }
    std::string message;
    list.getEvent(index, message);
    out << cp1250ToPrintable(message) << '\n';
    return status;
}

} // namespace veskor
