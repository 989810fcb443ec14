#include "app/CommandLine.h"

#include "bar/core/StatusTexts.h"
#include "common/Cp1250.h"
#include "common/DateUtils.h"
#include "common/Error.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace veskor {

std::string usage(const std::vector<std::string>& panelWords) {
    std::string words;
    for (const std::string& word : panelWords) {
        words += (words.empty() ? "" : "|") + word;
    }
    return "Usage: veskor [--data-dir DIR]                 start the bar\n"
           "       veskor day [YYYY-MM-DD]                 the texts the bar shows for a day\n"
           "       veskor saint [YYYY-MM-DD]               the name-day of a day\n"
           "       veskor find NAME [--year YYYY]          the date of a name-day\n"
           "       veskor --screenshot FILE.png [--at \"YYYY-MM-DD hh:mm:ss\"]\n"
           "                     [--panel " +
           words +
           "] [--menu]\n"
           "                                               render the bar (or its menu) to PNG\n"
           "Options: --data-dir DIR  folder of Veskor32.sd (default: $VESKOR_DATA_DIR, the "
           "program's\n"
           "                         folder, or $XDG_DATA_HOME/Orvane/Veskor Pro)\n"
           "         --help, --version\n";
}

namespace {

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

DateTime parseDatePart(const std::string& text, std::size_t length, const char* what) {
    int y = 0;
    int m = 0;
    int d = 0;
    if (text.size() != length || !readNumber(text, 0, 4, y) || text[4] != '-' ||
        !readNumber(text, 5, 2, m) || text[7] != '-' || !readNumber(text, 8, 2, d) ||
        !isValidDate(y, m, d)) {
        throw UsageError("invalid " + std::string(what) + " '" + text + "'");
    }
    return encodeDate(y, m, d);
}

std::string needValue(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size()) {
        throw UsageError("option " + args[i] + " needs a value");
    }
    return args[++i];
}

} // namespace

DateTime parseIsoDate(const std::string& text) {
    return parseDatePart(text, 10, "date (expected YYYY-MM-DD)");
}

DateTime parseIsoDateTime(const std::string& text) {
    const char* what = "date and time (expected \"YYYY-MM-DD hh:mm:ss\")";
    int h = 0;
    int n = 0;
    int s = 0;
    if (text.size() != 19 || text[10] != ' ' || !readNumber(text, 11, 2, h) || text[13] != ':' ||
        !readNumber(text, 14, 2, n) || text[16] != ':' || !readNumber(text, 17, 2, s) || h > 23 ||
        n > 59 || s > 59) {
        throw UsageError("invalid " + std::string(what) + " '" + text + "'");
    }
    return parseDatePart(text.substr(0, 10), 10, what) + encodeTime(h, n, s, 0);
}

std::string formatIsoDate(DateTime date) {
    const CivilDate d = decodeDate(date);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buffer;
}

CommandLine parseCommandLine(const std::vector<std::string>& args,
                             const std::vector<std::string>& panelWords) {
    CommandLine cl;
    std::vector<std::string> positional;
    bool commandSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--data-dir") {
            cl.dataDir = needValue(args, i);
        } else if (a == "--year") {
            const std::string v = needValue(args, i);
            int year = 0;
            if (v.size() != 4 || !readNumber(v, 0, 4, year) || year < 1) {
                throw UsageError("invalid year '" + v + "'");
            }
            cl.year = year;
        } else if (a == "--screenshot") {
            cl.screenshotFile = needValue(args, i);
            cl.mode = CommandLine::Mode::Screenshot;
        } else if (a == "--at") {
            cl.at = parseIsoDateTime(needValue(args, i));
        } else if (a == "--panel") {
            cl.panel = needValue(args, i);
            if (std::ranges::find(panelWords, cl.panel) == panelWords.end()) {
                std::string known;
                for (const std::string& word : panelWords) {
                    known += (known.empty() ? "" : ", ") + word;
                }
                throw UsageError("unknown panel '" + cl.panel + "' (" + known + ")");
            }
        } else if (a == "--menu") {
            cl.menu = true;
        } else if (a == "--help" || a == "-h") {
            cl.mode = CommandLine::Mode::Help;
            return cl;
        } else if (a == "--version") {
            cl.mode = CommandLine::Mode::Version;
            return cl;
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError("unknown option '" + a + "'");
        } else if (!commandSeen && cl.mode == CommandLine::Mode::Bar) {
            commandSeen = true;
            if (a == "day") {
                cl.mode = CommandLine::Mode::Day;
            } else if (a == "saint") {
                cl.mode = CommandLine::Mode::Saint;
            } else if (a == "find") {
                cl.mode = CommandLine::Mode::Find;
            } else {
                throw UsageError("unknown command '" + a + "'");
            }
        } else {
            positional.push_back(a);
        }
    }

    using Mode = CommandLine::Mode;
    if (cl.year && cl.mode != Mode::Find) {
        throw UsageError("--year belongs to the find command");
    }
    if ((cl.at || !cl.panel.empty() || cl.menu) && cl.mode != Mode::Screenshot) {
        throw UsageError("--at, --panel and --menu belong to --screenshot");
    }
    switch (cl.mode) {
    case Mode::Day:
    case Mode::Saint:
        if (positional.size() > 1) {
            throw UsageError("too many arguments");
        }
        if (!positional.empty()) {
            cl.date = parseIsoDate(positional[0]);
        }
        break;
    case Mode::Find:
        if (positional.size() != 1) {
            throw UsageError(positional.empty() ? "find needs a NAME" : "too many arguments");
        }
        cl.name = positional[0];
        break;
    default:
        if (!positional.empty()) {
            throw UsageError("unexpected argument '" + positional[0] + "'");
        }
        break;
    }
    return cl;
}

int runTextCommand(const CommandLine& command, const StringList& saints, DateTime today,
                   const LocaleFormat& locale, std::ostream& out, std::ostream& err) {
    using Mode = CommandLine::Mode;
    try {
        switch (command.mode) {
        case Mode::Day: {
            const DateTime day = command.date.value_or(static_cast<DateTime>(dateOf(today)));
            const DateRowTexts row = computeDateRow(day, saints, locale);
            if (!row.error.empty()) {
                throw Error(row.error);
            }
            out << "date\t" << row.date << '\n'
                << "saint\t" << row.saint << '\n'
                << "tomorrow\t" << cp1250ToUtf8(saintOfDate(saints, day + 1)) << '\n'
                << "dayofyear\t" << dayOfYear(day) << '\n'
                << "week\t" << weekOfYear(day) << '\n';
            return 0;
        }
        case Mode::Saint:
            out << cp1250ToUtf8(saintOfDate(saints, command.date.value_or(today))) << '\n';
            return 0;
        case Mode::Find: {
            const int year = command.year.value_or(decodeDate(today).year);
            const std::string name = utf8ToCp1250(command.name);
            if (!findSaintIndex(saints, name)) {
                err << "Not found.\n";
                return 1;
            }
            out << formatIsoDate(findSaintDate(saints, name, encodeDate(year, 1, 1))) << '\n';
            return 0;
        }
        default:
            err << usage({});
            return 2;
        }
    } catch (const Error& e) {
        err << e.what() << '\n';
        return 1;
    }
}

} // namespace veskor
