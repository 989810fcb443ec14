#pragma once
// The program's command line: the bar itself, and a few text commands for scripts and tests.

#include "common/DatePattern.h"
#include "common/DateTime.h"
#include "namedays/core/SaintTable.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace veskor {

// A command line that cannot be understood; its text is the one-line explanation.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A window --window renders instead of the bar; takesFile: it shows the FILE argument.
struct WindowWord {
    std::string word;
    bool takesFile = false;
};

struct CommandLine {
    enum class Mode {
        Bar,
        Day,
        Saint,
        Find,
        Alarms,
        Moon,
        Month,
        Cpu,
        SysInfo,
        FileInfo,
        Calc,
        Autostart,
        Screenshot,
        Help,
        Version
    };
    Mode mode = Mode::Bar;
    std::optional<std::filesystem::path> dataDir;
    std::optional<DateTime> date; // day, saint, moon: the day asked for (default today);
                                  // month: the 1st of the month asked for
    std::string name;             // find: UTF-8
    std::optional<int> year;      // find: --year
    std::filesystem::path screenshotFile;
    std::optional<std::string> due; // alarms: --due, the time of day asked about
    std::optional<DateTime> at;     // the bar: the clock starts there; --screenshot: its fixed time
    std::string panel;              // --screenshot: a strip to open first
    std::string window;             // --screenshot: a window to render instead of the bar
    std::filesystem::path file;     // fileinfo, --window fileinfo: the file asked about
    std::optional<std::string> value; // calc: --value, the field's value at the start
    std::vector<std::string> keys;    // calc: the keys, one per argument
    std::string autostart;            // --autostart: "on", "off" or empty to ask
    bool menu = false;                // --screenshot: render the open popup menu

    bool operator==(const CommandLine&) const = default;
};

// Options may stand anywhere, before or after the command and its arguments, each at most once
// ("--name VALUE" or "--name=VALUE"; after "--" every word is an argument). --help and --version
// win over everything else, errors included. panelWords: what --panel takes; windowWords: what
// --window takes. Throws UsageError.
CommandLine parseCommandLine(const std::vector<std::string>& args,
                             const std::vector<std::string>& panelWords,
                             const std::vector<WindowWord>& windowWords = {});

// "YYYY-MM-DD" and "YYYY-MM-DD hh:mm:ss"; throw UsageError.
DateTime parseIsoDate(const std::string& text);
// "YYYY-MM", the years the calendar shows (1900 to 2100), as the month's 1st; throws UsageError.
DateTime parseIsoMonth(const std::string& text);
DateTime parseIsoDateTime(const std::string& text);
std::string formatIsoDate(DateTime date);

// The --help text.
std::string usage(const std::vector<std::string>& panelWords,
                  const std::vector<WindowWord>& windowWords = {});

// Runs day, saint or find; returns the exit status (0, or 1 with "veskor: ..." on err).
// saintFile: the file the table was read from, named in its errors; empty for the built-in list.
int runTextCommand(const CommandLine& command, const StringList& saints,
                   const std::string& saintFile, DateTime today, const LocaleFormat& locale,
                   std::ostream& out, std::ostream& err);

} // namespace veskor
