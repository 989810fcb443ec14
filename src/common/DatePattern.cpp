#include "common/DatePattern.h"

#include <QLocale>
#include <QString>
#include <cstdlib>

namespace veskor {

namespace {

std::size_t runLength(std::string_view pattern, std::size_t pos, std::size_t limit) {
    const char letter = pattern[pos];
    std::size_t count = 1;
    while (count < limit && pos + count < pattern.size() && pattern[pos + count] == letter) {
        ++count;
    }
    return count;
}

void appendNumber(std::string& out, long long value, int width) {
    if (value < 0) {
        out += '-';
        value = -value;
    }
    const std::string digits = std::to_string(value);
    if (digits.size() < static_cast<std::size_t>(width)) {
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    }
    out += digits;
}

// The separator between the hour and the minute fields of a Qt time format: "HH:mm" gives ":",
// "H.mm" gives ".". Quotes and blanks around it are skipped; a letter there ("HH 'h' mm") is a
// unit rather than a separator and would read wrongly between minutes and seconds, so it and a
// format without one give ":".
std::string timeSeparatorOf(const QString& format) {
    qsizetype pos = 0;
    while (pos < format.size() && format[pos] != u'h' && format[pos] != u'H') {
        ++pos;
    }
    while (pos < format.size() && (format[pos] == u'h' || format[pos] == u'H')) {
        ++pos;
    }
    for (; pos < format.size() && format[pos] != u'm'; ++pos) {
        const QChar c = format[pos];
        if (c == u'\'' || c.isSpace()) {
            continue;
        }
        if (c.isLetterOrNumber()) {
            break;
        }
        return QString(c).toStdString();
    }
    return ":";
}

} // namespace

LocaleFormat LocaleFormat::english() {
    return LocaleFormat{
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
        {"January", "February", "March", "April", "May", "June", "July", "August", "September",
         "October", "November", "December"},
        {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
        ":",
        ",",
        "."};
}

LocaleFormat LocaleFormat::system() {
    const QLocale locale = QLocale::system();
    LocaleFormat format;
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i; // Qt counts Monday = 1 ... Sunday = 7
        const auto index = static_cast<std::size_t>(i);
        format.longDayNames.at(index) = locale.dayName(qtDay, QLocale::LongFormat).toStdString();
        format.shortDayNames.at(index) = locale.dayName(qtDay, QLocale::ShortFormat).toStdString();
    }
    for (int month = 1; month <= 12; ++month) {
        const auto index = static_cast<std::size_t>(month - 1);
        format.longMonthNames.at(index) =
            locale.monthName(month, QLocale::LongFormat).toStdString();
        format.shortMonthNames.at(index) =
            locale.monthName(month, QLocale::ShortFormat).toStdString();
    }
    format.timeSeparator = timeSeparatorOf(locale.timeFormat(QLocale::ShortFormat));
    format.thousandsSeparator = locale.groupSeparator().toStdString();
    format.decimalSeparator = locale.decimalPoint().toStdString();
    return format;
}

std::string formatDateTime(std::string_view pattern, DateTime value, const LocaleFormat& locale) {
    const CivilDate date = decodeDate(value);
    const ClockTime time = decodeTime(value);
    const auto weekday = static_cast<std::size_t>(dayOfWeek(value) - 1);
    const auto month = static_cast<std::size_t>(date.month - 1);

    std::string out;
    bool afterHour = false; // "m" and "mm" right after an hour field are minutes
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos];
        std::size_t count = 1;
        bool hour = false;
        switch (c) {
        case '"':
        case '\'': {
            const std::size_t close = pattern.find(c, pos + 1);
            const std::size_t stop = close == std::string_view::npos ? pattern.size() : close;
            out += pattern.substr(pos + 1, stop - pos - 1);
            count = stop - pos + (close == std::string_view::npos ? 0 : 1);
            break;
        }
        case 'd':
            count = runLength(pattern, pos, 4);
            if (count <= 2) {
                appendNumber(out, date.day, static_cast<int>(count));
            } else {
                out +=
                    count == 3 ? locale.shortDayNames.at(weekday) : locale.longDayNames.at(weekday);
            }
            break;
        case 'm':
            count = runLength(pattern, pos, 4);
            if (count <= 2 && afterHour) {
                appendNumber(out, time.minute, static_cast<int>(count));
            } else if (count <= 2) {
                appendNumber(out, date.month, static_cast<int>(count));
            } else {
                out +=
                    count == 3 ? locale.shortMonthNames.at(month) : locale.longMonthNames.at(month);
            }
            break;
        case 'y':
            count = runLength(pattern, pos, pattern.size());
            if (count <= 2) {
                appendNumber(out, std::abs(date.year % 100), 2);
            } else {
                appendNumber(out, date.year, 4);
            }
            break;
        case 'h':
            count = runLength(pattern, pos, 2);
            appendNumber(out, time.hour, static_cast<int>(count));
            hour = true;
            break;
        case 'n':
            count = runLength(pattern, pos, 2);
            appendNumber(out, time.minute, static_cast<int>(count));
            break;
        case 's':
            count = runLength(pattern, pos, 2);
            appendNumber(out, time.second, static_cast<int>(count));
            break;
        case 'z':
            count = runLength(pattern, pos, 3);
            appendNumber(out, time.msec, count == 1 ? 1 : 3);
            break;
        case ':':
            out += locale.timeSeparator;
            hour = afterHour;
            break;
        default:
            out += c;
            break;
        }
        afterHour = hour;
        pos += count;
    }
    return out;
}

} // namespace veskor
