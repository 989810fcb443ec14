#include "app/CommandLine.h"

#include "bar/core/StatusTexts.h"
#include "common/Cp1250.h"
#include "common/DateUtils.h"
#include "common/Error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <string_view>

namespace veskor {

std::string usage(const std::vector<std::string>& panelWords,
                  const std::vector<WindowWord>& windowWords) {
    std::string words;
    for (const std::string& word : panelWords) {
        words += (words.empty() ? "" : "|") + word;
    }
    std::string windows;
    for (const WindowWord& window : windowWords) {
        windows += (windows.empty() ? "" : "|") + window.word + (window.takesFile ? " FILE" : "");
    }
    return "Usage: veskor [--at \"YYYY-MM-DD hh:mm:ss\"]      start the bar (its clock from --at "
           "on)\n"
           "       veskor day [YYYY-MM-DD]                 the texts the bar shows for a day\n"
           "       veskor saint [YYYY-MM-DD]               the name-day of a day\n"
           "       veskor find NAME [--year YYYY]          the date of a name-day\n"
           "       veskor alarms [--due HH:MM]             the alarm events, or the one due then\n"
           "       veskor moon [YYYY-MM-DD]                the moon's phase angle at 0:00, "
           "degrees\n"
           "       veskor month YYYY-MM                    the calendar's month with week numbers\n"
           "       veskor cpu                              the processor: vendor, name, MMX, "
           "speed\n"
           "       veskor sysinfo                          the system information tree\n"
           "       veskor fileinfo FILE                    the version resource and document "
           "summary\n"
           "       veskor calc [--value V] KEY...          the calculator's keypad, e.g. calc 2 + "
           "3 x 4 =\n"
           "       veskor --screenshot FILE.png [--at \"YYYY-MM-DD hh:mm:ss\"]\n"
           "                     [--panel " +
           words +
           "] [--menu]\n"
           "                     [--window " +
           windows +
           "]\n"
           "                                               render the bar (its menu, a window) to "
           "PNG\n"
           "       veskor --autostart [on|off]             start the bar with the desktop, or not\n"
           "Options stand anywhere, each once, as --name VALUE or --name=VALUE (a VALUE may begin\n"
           "with -, as in --value -5); after -- every word is an argument.\n"
           "  --at \"YYYY-MM-DD hh:mm:ss\"\n"
           "                  the bar's clock starts there; with --screenshot, its fixed time\n"
           "  --year YYYY     find: the year, 1 to 9999 (default: this year)\n"
           "  --data-dir DIR  an existing folder holding Veskor32.sd and Veskor32.aev (default:\n"
           "                  $VESKOR_DATA_DIR, the program's folder, or\n"
           "                  $XDG_DATA_HOME/Orvane/Veskor Pro)\n"
           "  --help, --version\n"
           "Exit status: 0 done, 1 the data cannot be read or has no answer, 2 a bad command\n"
           "line (or a time that is not one).\n"
           "Examples:\n"
           "  veskor --at \"2026-12-08 07:04:55\"\n"
           "  veskor day 1998-07-06\n"
           "  veskor saint 2026-12-24\n"
           "  veskor find Karina --year 2027\n"
           "  veskor alarms --due 7:05\n"
           "  veskor moon 2000-01-06\n"
           "  veskor month 2026-12\n"
           "  veskor cpu\n"
           "  veskor sysinfo\n"
           "  veskor fileinfo setup.msi\n"
           "  veskor calc 2 + 3 x 4 =\n"
           "  veskor --screenshot bar.png --panel calendar\n"
           "  veskor --screenshot alarms.png --window alarms\n"
           "  veskor --autostart on\n";
}

namespace {

using Mode = CommandLine::Mode;

struct OptionSpec {
    std::string_view name;
    bool takesValue = false;
    std::optional<Mode> onlyWith; // the form it belongs to; nullopt for every form
    std::optional<Mode> orWith;   // a second form it belongs to
    bool optionalValue = false;   // takes "on" or "off" when one follows
};

constexpr std::array<OptionSpec, 12> kOptions{{
    {"--data-dir", true, std::nullopt, std::nullopt},
    {"--year", true, Mode::Find, std::nullopt},
    {"--due", true, Mode::Alarms, std::nullopt},
    {"--screenshot", true, Mode::Screenshot, std::nullopt},
    {"--at", true, Mode::Bar, Mode::Screenshot},
    {"--panel", true, Mode::Screenshot, std::nullopt},
    {"--menu", false, Mode::Screenshot, std::nullopt},
    {"--window", true, Mode::Screenshot, std::nullopt},
    {"--value", true, Mode::Calc, std::nullopt},
    {"--autostart", true, Mode::Autostart, std::nullopt, true},
    {"--help", false, std::nullopt, std::nullopt},
    {"--version", false, std::nullopt, std::nullopt},
}};

const OptionSpec* findOption(std::string_view name) {
    if (name == "-h") {
        name = "--help";
    }
    const auto* it = std::ranges::find(kOptions, name, &OptionSpec::name);
    return it == kOptions.end() ? nullptr : it;
}

bool looksLikeOption(std::string_view word) {
    return word.size() > 1 && word[0] == '-';
}

// The word after an option that takes a value is that value, also when it begins with "-"
// ("--value -5", "--year -1"); only a long option, "--" or "-h" is not.
bool canBeValue(std::string_view word) {
    return !word.starts_with("--") && word != "-h";
}

// The years the day count can show.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

std::string describe(Mode mode) {
    switch (mode) {
    case Mode::Day:
        return "the day command";
    case Mode::Saint:
        return "the saint command";
    case Mode::Find:
        return "the find command";
    case Mode::Alarms:
        return "the alarms command";
    case Mode::Moon:
        return "the moon command";
    case Mode::Month:
        return "the month command";
    case Mode::Cpu:
        return "the cpu command";
    case Mode::SysInfo:
        return "the sysinfo command";
    case Mode::FileInfo:
        return "the fileinfo command";
    case Mode::Calc:
        return "the calc command";
    case Mode::Autostart:
        return "--autostart";
    case Mode::Screenshot:
        return "--screenshot";
    default:
        return "the bar";
    }
}

// The words sorted out without judging them yet, so that --help and --version can win over
// any mistake.
struct Words {
    std::map<std::string_view, std::string> options; // by OptionSpec::name
    std::vector<std::string> arguments;
    std::optional<Mode> helpOrVersion;  // the first of them
    std::optional<std::string> problem; // the first word that could not be read
};

Words sortWords(const std::vector<std::string>& args) {
    Words words;
    const auto fail = [&words](std::string text) {
        if (!words.problem) {
            words.problem = std::move(text);
        }
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || !looksLikeOption(word)) {
            words.arguments.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string_view name = std::string_view(word).substr(0, equals);
        if (name.find_first_not_of('-') == std::string_view::npos) {
            fail("malformed option '" + word + "'");
            continue;
        }
        const OptionSpec* spec = findOption(name);
        if (spec == nullptr) {
            fail("unknown option '" + std::string(name) + "'");
            continue;
        }
        if (spec->name == "--help" || spec->name == "--version") {
            if (!words.helpOrVersion) {
                words.helpOrVersion = spec->name == "--help" ? Mode::Help : Mode::Version;
            }
            continue;
        }
        std::string value;
        if (!spec->takesValue) {
            if (equals != std::string::npos) {
                fail("option " + std::string(spec->name) + " takes no value");
                continue;
            }
        } else {
            // A following option is not a value: "--screenshot --menu" lacks its file.
            if (equals != std::string::npos) {
                value = word.substr(equals + 1);
            } else if (spec->optionalValue) {
                if (i + 1 < args.size() && (args[i + 1] == "on" || args[i + 1] == "off")) {
                    value = args[++i];
                }
            } else if (i + 1 < args.size() && canBeValue(args[i + 1])) {
                value = args[++i];
            }
            if (value.empty() && (!spec->optionalValue || equals != std::string::npos)) {
                fail("option " + std::string(spec->name) + " needs a value");
                continue;
            }
        }
        if (!words.options.emplace(spec->name, std::move(value)).second) {
            fail("option " + std::string(spec->name) + " given twice");
        }
    }
    return words;
}

// Reads exactly `digits` decimal digits at text[pos].
bool readNumber(const std::string& text, std::size_t pos, std::size_t digits, int& value) {
    if (pos + digits > text.size()) {
        return false;
    }
    for (std::size_t i = pos; i < pos + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return std::from_chars(text.data() + pos, text.data() + pos + digits, value).ec == std::errc{};
}

// A valid "YYYY-MM-DD" at the start of text.
std::optional<DateTime> readDate(const std::string& text) {
    int y = 0;
    int m = 0;
    int d = 0;
    if (text.size() < 10 || !readNumber(text, 0, 4, y) || text[4] != '-' ||
        !readNumber(text, 5, 2, m) || text[7] != '-' || !readNumber(text, 8, 2, d) ||
        !isValidDate(y, m, d)) {
        return std::nullopt;
    }
    return encodeDate(y, m, d);
}

// The message for a failed name-day lookup, naming the file the table came from.
std::string tableError(const std::string& text, const std::string& saintFile) {
    return "veskor: " + text + (saintFile.empty() ? "" : " in " + saintFile) + '\n';
}

} // namespace

DateTime parseIsoDate(const std::string& text) {
    const std::optional<DateTime> date = text.size() == 10 ? readDate(text) : std::nullopt;
    if (!date) {
        throw UsageError("invalid date (expected YYYY-MM-DD) '" + text + "'");
    }
    return *date;
}

DateTime parseIsoDateTime(const std::string& text) {
    int h = 0;
    int n = 0;
    int s = 0;
    const std::optional<DateTime> date = text.size() == 19 ? readDate(text) : std::nullopt;
    if (!date || text[10] != ' ' || !readNumber(text, 11, 2, h) || text[13] != ':' ||
        !readNumber(text, 14, 2, n) || text[16] != ':' || !readNumber(text, 17, 2, s) || h > 23 ||
        n > 59 || s > 59) {
        throw UsageError("invalid date and time (expected \"YYYY-MM-DD hh:mm:ss\") '" + text + "'");
    }
    return *date + encodeTime(h, n, s, 0);
}

DateTime parseIsoMonth(const std::string& text) {
    int y = 0;
    int m = 0;
    if (text.size() != 7 || !readNumber(text, 0, 4, y) || text[4] != '-' ||
        !readNumber(text, 5, 2, m) || y < 1900 || y > 2100 || m < 1 || m > 12) {
        throw UsageError("invalid month (expected YYYY-MM, 1900-01 to 2100-12) '" + text + "'");
    }
    return encodeDate(y, m, 1);
}

std::string formatIsoDate(DateTime date) {
    const CivilDate d = decodeDate(date);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buffer;
}

CommandLine parseCommandLine(const std::vector<std::string>& args,
                             const std::vector<std::string>& panelWords,
                             const std::vector<WindowWord>& windowWords) {
    Words words = sortWords(args);
    CommandLine cl;
    if (words.helpOrVersion) {
        cl.mode = *words.helpOrVersion;
        return cl;
    }
    if (words.problem) {
        throw UsageError(*words.problem);
    }

    const WindowWord* window = nullptr;
    if (const auto word = words.options.find("--window"); word != words.options.end()) {
        const auto found = std::ranges::find(windowWords, word->second, &WindowWord::word);
        if (found == windowWords.end()) {
            std::string known;
            for (const WindowWord& each : windowWords) {
                known += (known.empty() ? "" : ", ") + each.word;
            }
            throw UsageError("unknown window '" + word->second + "' (" + known + ")");
        }
        window = &*found;
    }

    auto next = words.arguments.begin();
    // The file a window shows may be named like a command ("veskor --window fileinfo day").
    const bool firstIsFile = window != nullptr && window->takesFile;
    if (next != words.arguments.end() && !firstIsFile) {
        if (*next == "day") {
            cl.mode = Mode::Day;
        } else if (*next == "saint") {
            cl.mode = Mode::Saint;
        } else if (*next == "find") {
            cl.mode = Mode::Find;
        } else if (*next == "alarms") {
            cl.mode = Mode::Alarms;
        } else if (*next == "moon") {
            cl.mode = Mode::Moon;
        } else if (*next == "month") {
            cl.mode = Mode::Month;
        } else if (*next == "cpu") {
            cl.mode = Mode::Cpu;
        } else if (*next == "sysinfo") {
            cl.mode = Mode::SysInfo;
        } else if (*next == "fileinfo") {
            cl.mode = Mode::FileInfo;
        } else if (*next == "calc") {
            cl.mode = Mode::Calc;
        } else {
            throw UsageError("unknown command '" + *next + "'");
        }
        ++next;
    }
    if (words.options.contains("--screenshot")) {
        if (cl.mode != Mode::Bar) {
            throw UsageError("option --screenshot does not belong to " + describe(cl.mode));
        }
        cl.mode = Mode::Screenshot;
    }
    if (words.options.contains("--autostart")) {
        if (cl.mode != Mode::Bar) {
            throw UsageError("option --autostart does not belong to " + describe(cl.mode));
        }
        cl.mode = Mode::Autostart;
    }
    for (const auto& [name, value] : words.options) {
        const OptionSpec* option = findOption(name);
        const std::optional<Mode> onlyWith = option->onlyWith;
        if (onlyWith && *onlyWith != cl.mode && option->orWith != cl.mode) {
            const std::string owners =
                describe(*onlyWith) + (option->orWith ? " and " + describe(*option->orWith) : "");
            throw UsageError("option " + std::string(name) + " belongs to " + owners + ", not to " +
                             describe(cl.mode));
        }
    }

    const auto value = [&words](std::string_view name) -> const std::string* {
        const auto it = words.options.find(name);
        return it == words.options.end() ? nullptr : &it->second;
    };
    if (const std::string* dir = value("--data-dir")) {
        cl.dataDir = *dir;
    }
    if (const std::string* file = value("--screenshot")) {
        cl.screenshotFile = *file;
    }
    if (const std::string* due = value("--due")) {
        cl.due = *due;
    }
    if (const std::string* at = value("--at")) {
        cl.at = parseIsoDateTime(*at);
    }
    if (const std::string* year = value("--year")) {
        const std::string range =
            " (" + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear) + ")";
        const bool negative = year->starts_with('-');
        const std::size_t digits = year->size() - (negative ? 1 : 0);
        int y = 0;
        if (digits == 0 || digits > 6 || !readNumber(*year, negative ? 1 : 0, digits, y)) {
            throw UsageError("invalid year '" + *year + "'" + range);
        }
        if (negative || y < kFirstYear || y > kLastYear) {
            throw UsageError("year " + *year + " is out of range" + range);
        }
        cl.year = y;
    }
    if (const std::string* panel = value("--panel")) {
        if (std::ranges::find(panelWords, *panel) == panelWords.end()) {
            std::string known;
            for (const std::string& word : panelWords) {
                known += (known.empty() ? "" : ", ") + word;
            }
            throw UsageError("unknown panel '" + *panel + "' (" + known + ")");
        }
        cl.panel = *panel;
    }
    cl.menu = words.options.contains("--menu");
    if (window != nullptr) {
        // A window is drawn instead of the bar: a strip or the menu would not be in the picture.
        if (!cl.panel.empty() || cl.menu) {
            throw UsageError(std::string("option --window does not go with ") +
                             (cl.menu ? "--menu" : "--panel"));
        }
        cl.window = window->word;
    }
    if (const std::string* autostart = value("--autostart")) {
        if (!autostart->empty() && *autostart != "on" && *autostart != "off") {
            throw UsageError("--autostart takes on or off, not '" + *autostart + "'");
        }
        cl.autostart = *autostart;
    }
    if (const std::string* start = value("--value")) {
        cl.value = *start;
    }

    const std::size_t left = static_cast<std::size_t>(words.arguments.end() - next);
    switch (cl.mode) {
    case Mode::Day:
    case Mode::Saint:
    case Mode::Moon:
        if (left > 1) {
            throw UsageError("too many arguments");
        }
        if (left == 1) {
            cl.date = parseIsoDate(*next);
        }
        break;
    case Mode::Find:
        if (left != 1) {
            throw UsageError(left == 0 ? "find needs a NAME" : "too many arguments");
        }
        cl.name = *next;
        break;
    case Mode::Month:
        if (left != 1) {
            throw UsageError(left == 0 ? "month needs YYYY-MM" : "too many arguments");
        }
        cl.date = parseIsoMonth(*next);
        break;
    case Mode::FileInfo:
        if (left != 1) {
            throw UsageError(left == 0 ? "fileinfo needs a FILE" : "too many arguments");
        }
        cl.file = *next;
        break;
    case Mode::Calc:
        cl.keys.assign(next, words.arguments.end());
        break;
    case Mode::Screenshot:
        if (window != nullptr && window->takesFile) {
            if (left != 1) {
                throw UsageError(left == 0 ? "--window " + window->word + " needs a FILE"
                                           : "too many arguments");
            }
            cl.file = *next;
            break;
        }
        [[fallthrough]];
    default:
        if (left != 0) {
            throw UsageError("unexpected argument '" + *next + "'");
        }
        break;
    }
    return cl;
}

int runTextCommand(const CommandLine& command, const StringList& saints,
                   const std::string& saintFile, DateTime today, const LocaleFormat& locale,
                   std::ostream& out, std::ostream& err) {
    switch (command.mode) {
    case Mode::Day: {
        const DateTime day = command.date.value_or(static_cast<DateTime>(dateOf(today)));
        const DateRowTexts row = computeDateRow(day, saints, locale);
        // What the table holds is printed even when tomorrow's entry is missing.
        out << "date\t" << row.date << '\n';
        if (row.saint) {
            out << "saint\t" << *row.saint << '\n';
        }
        if (row.tomorrow) {
            out << "tomorrow\t" << *row.tomorrow << '\n';
        }
        out << "dayofyear\t" << dayOfYear(day) << '\n' << "week\t" << weekOfYear(day) << '\n';
        if (!row.error.empty()) {
            err << tableError(row.error, saintFile);
            return 1;
        }
        return 0;
    }
    case Mode::Saint:
        try {
            out << cp1250ToUtf8(saintOfDate(saints, command.date.value_or(today))) << '\n';
            return 0;
        } catch (const Error& e) {
            err << tableError(e.what(), saintFile);
            return 1;
        }
    case Mode::Find: {
        const int year = command.year.value_or(decodeDate(today).year);
        // A name the table's code page cannot hold names no entry; "?" would match "?" entries.
        const std::optional<std::string> name = utf8ToCp1250Strict(command.name);
        const std::optional<int> index = name ? findSaintIndex(saints, *name) : std::nullopt;
        // Entries past the last day of the year (a long file) have no date.
        if (!index || *index >= kSaintTableDays) {
            err << "veskor: Not found.\n";
            return 1;
        }
        if (*index == kLeapDayIndex && !isLeapYear(year)) {
            err << "veskor: " << cp1250ToUtf8(saints.at(*index)) << " is on 29 February, which "
                << year << " does not have\n";
            return 1;
        }
        out << formatIsoDate(saintPositionToDate(*index + 1, year)) << '\n';
        return 0;
    }
    default:
        err << usage({});
        return 2;
    }
}

} // namespace veskor
