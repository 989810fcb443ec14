#include "app/Commands.h"

#include "alarms/widgets/AlarmCommands.h"
#include "app/DayCommand.h"
#include "calc/widgets/CalcCommands.h"
#include "calendar/widgets/CalendarCommands.h"
#include "fileinfo/widgets/FileInfoCommands.h"
#include "namedays/widgets/NameDayCommands.h"
#include "sysinfo/widgets/SystemInfoCommands.h"

namespace veskor {

std::vector<CommandDescription> allCommands() {
    std::vector<CommandDescription> commands{dayCommand()};
    for (std::vector<CommandDescription> (*feature)() :
         {nameDayCommands, alarmCommands, calendarCommands, systemInfoCommands, fileInfoCommands,
          calcCommands}) {
        std::ranges::move(feature(), std::back_inserter(commands));
    }
    return commands;
}

} // namespace veskor
