#include "feature/Command.h"

#include "common/DateUtils.h"

#include <QCoreApplication>
#include <charconv>
#include <cstdio>

namespace veskor {

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

} // namespace

std::optional<std::string> CommandArgs::option(std::string_view name) const {
    const auto it = options.find(name);
    return it == options.end() ? std::nullopt : std::optional<std::string>(it->second);
}

DateTime parseIsoDate(const std::string& text) {
    const std::optional<DateTime> date = text.size() == 10 ? readDate(text) : std::nullopt;
    if (!date) {
        throw UsageError(
            QCoreApplication::translate("Command", "invalid date (expected YYYY-MM-DD) '%1'")
                .arg(QString::fromStdString(text))
                .toStdString());
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
        throw UsageError(
            QCoreApplication::translate(
                "Command", "invalid date and time (expected \"YYYY-MM-DD hh:mm:ss\") '%1'")
                .arg(QString::fromStdString(text))
                .toStdString());
    }
    return *date + encodeTime(h, n, s, 0);
}

DateTime parseIsoMonth(const std::string& text) {
    int y = 0;
    int m = 0;
    if (text.size() != 7 || !readNumber(text, 0, 4, y) || text[4] != '-' ||
        !readNumber(text, 5, 2, m) || y < 1900 || y > 2100 || m < 1 || m > 12) {
        throw UsageError(QCoreApplication::translate(
                             "Command", "invalid month (expected YYYY-MM, 1900-01 to 2100-12) '%1'")
                             .arg(QString::fromStdString(text))
                             .toStdString());
    }
    return encodeDate(y, m, 1);
}

std::string formatIsoDate(DateTime date) {
    const CivilDate d = decodeDate(date);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buffer;
}

std::optional<std::string> optionalArgument(const CommandArgs& args) {
    if (args.arguments.size() > 1) {
        throw UsageError(
            QCoreApplication::translate("Command", "too many arguments").toStdString());
    }
    return args.arguments.empty() ? std::nullopt : std::optional(args.arguments.front());
}

std::optional<DateTime> optionalDateArgument(const CommandArgs& args) {
    const std::optional<std::string> date = optionalArgument(args);
    return date ? std::optional(parseIsoDate(*date)) : std::nullopt;
}

void noArguments(const CommandArgs& args) {
    if (!args.arguments.empty()) {
        throw UsageError(QCoreApplication::translate("Command", "unexpected argument '%1'")
                             .arg(QString::fromStdString(args.arguments.front()))
                             .toStdString());
    }
}

std::string requiredArgument(const CommandArgs& args, const std::string& missing) {
    if (args.arguments.empty()) {
        throw UsageError(missing);
    }
    if (args.arguments.size() > 1) {
        throw UsageError(
            QCoreApplication::translate("Command", "too many arguments").toStdString());
    }
    return args.arguments.front();
}

} // namespace veskor
