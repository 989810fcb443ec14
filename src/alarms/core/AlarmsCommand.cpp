#include "alarms/core/AlarmsCommand.h"

#include "alarms/core/AlarmList.h"
#include "common/Cp1250.h"
#include "common/Error.h"

namespace veskor {

int runAlarmsCommand(const std::optional<std::string>& due, IFileStore& files,
                     const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
    AlarmList list;
    bool loaded = true;
    try {
        list.load(files, file);
    } catch (const Error& e) {
        err << "veskor: " << e.what() << '\n';
        loaded = false;
    }
    if (!due) {
        for (const AlarmEvent& event : list.events()) {
            out << cp1250ToUtf8(event.time) << '\t' << (event.active ? "active" : "inactive")
                << '\t' << (event.hasSound() ? "sound" : "silent") << '\t'
                << cp1250ToUtf8(event.message) << '\n';
        }
        return loaded ? 0 : 1;
    }
    const std::optional<DateTime> time = parseTimeOfDay(*due);
    if (!time) {
        err << "veskor: " << formatMessage("'%s' is not a valid time", *due) << '\n';
        return 2;
    }
    try {
        std::string message;
        const int index = list.findEvent(*time);
        if (index < 0) {
            return 1;
        }
        list.getEvent(index, message);
        out << cp1250ToUtf8(message) << '\n';
        return 0;
    } catch (const Error& e) {
        err << "veskor: " << e.what() << '\n';
        return 2;
    }
}

} // namespace veskor
