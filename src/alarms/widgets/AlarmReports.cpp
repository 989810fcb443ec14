#include "alarms/widgets/AlarmReports.h"

#include "alarms/core/AlarmList.h"

#include <QCoreApplication>
#include <QStringList>

namespace veskor {

namespace {

// A message box taller than the screen helps no one; the command line lists them all.
constexpr std::size_t kLinesShown = 10;

} // namespace

QString problemLines(const std::vector<std::string>& problems) {
    QStringList lines;
    for (std::size_t i = 0; i < problems.size() && i < kLinesShown; ++i) {
        lines << QString::fromStdString(problems[i]);
    }
    if (problems.size() > kLinesShown) {
        lines << QCoreApplication::translate("AlarmReports", "\u2026 and %1 more")
                     .arg(problems.size() - kLinesShown);
    }
    return lines.join('\n');
}

void AlarmReports::reportLoad(const AlarmLoad& load) const {
    if (load.loadFailed()) {
        fileError(QCoreApplication::translate("AlarmReports", "Load failed."),
                  problemLines(load.problems));
    } else if (!load.problems.empty()) {
        error(problemLines(load.problems));
    }
}

} // namespace veskor
