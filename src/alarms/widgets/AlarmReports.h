#pragma once
#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace veskor {

struct AlarmLoad;

// Where the alarm windows tell the person what went wrong.
struct AlarmReports {
    // "Load failed." or "Save failed.", with the file and the reason below.
    std::function<void(const QString& text, const QString& detail)> fileError;
    // Any other error: the program's general error display.
    std::function<void(const QString& text)> error;
    // A note that needs no answer.
    std::function<void(const QString& text)> note;

    // Reports what a load met, once: "Load failed." with its problems as the detail, or the rows
    // that cannot fire as one error.
    void reportLoad(const AlarmLoad& load) const;
};

// Problem lines for a message box: the first few, then "… and N more".
QString problemLines(const std::vector<std::string>& problems);

} // namespace veskor
