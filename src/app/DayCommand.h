#pragma once
// `veskor day [DATE]`: the texts the bar's date row shows for a day.

#include "feature/Command.h"
#include "namedays/core/SaintTable.h"

#include <ostream>
#include <string>

namespace veskor {

CommandDescription dayCommand();

// The date, the saint, tomorrow's saint, the day of the year and the week, one "key<TAB>value"
// line each; what the table holds is printed even when an entry is missing, and the table's
// error (naming saintFile, empty for the built-in list) makes the status 1.
int runDayCommand(DateTime day, const SaintTable& saints, const std::string& saintFile,
                  const LocaleFormat& locale, std::ostream& out, std::ostream& err);

} // namespace veskor
