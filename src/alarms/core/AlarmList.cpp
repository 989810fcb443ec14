#include "alarms/core/AlarmList.h"

#include "common/Cp1250.h"
#include "common/Error.h"

#include <QCoreApplication>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <stdexcept>
#include <system_error>

namespace veskor {

namespace {

constexpr int kSecondsPerDay = 86400;

// Every time of day goes through here, so that equal times give bit-equal fractions.
DateTime dayFraction(int seconds) {
    return static_cast<double>(seconds) / kSecondsPerDay;
}

// The file's lines: CR LF, lone LF and lone CR all end a line; a last line without terminator
// still counts, a terminator at the very end adds no empty line. Other bytes (NUL included) stay.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        ++i;
        if (c == '\r' && i < text.size() && text[i] == '\n') {
            ++i;
        }
        start = i;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// An optional sign and at least one decimal digit, nothing else, within int's range.
std::optional<int> parseInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads one part of a time (one or two digits) at pos.
std::optional<int> readTimePart(std::string_view text, std::size_t& pos) {
    int value = 0;
    std::size_t digits = 0;
    while (pos < text.size() && isDigit(text[pos]) && digits < 2) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits == 0 || (pos < text.size() && isDigit(text[pos]))) {
        return std::nullopt;
    }
    return value;
}

enum class Marker { None, Am, Pm };

// "AM" or "PM" in any case at pos; moves past it.
Marker readMarker(std::string_view text, std::size_t& pos) {
    if (pos + 2 > text.size() || std::toupper(static_cast<unsigned char>(text[pos + 1])) != 'M') {
        return Marker::None;
    }
    const int first = std::toupper(static_cast<unsigned char>(text[pos]));
    if (first != 'A' && first != 'P') {
        return Marker::None;
    }
    pos += 2;
    return first == 'A' ? Marker::Am : Marker::Pm;
}

void skipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
}

} // namespace

AlarmFileContent parseAlarmFile(std::span<const std::byte> bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    constexpr std::string_view kUtf8Mark = "\xef\xbb\xbf";
    const bool utf8 = text.starts_with(kUtf8Mark);
    if (utf8) {
        text.remove_prefix(kUtf8Mark.size());
    }
    const std::vector<std::string_view> lines = splitLines(text);
    AlarmFileContent content;
    content.events.reserve((lines.size() + 3) / 4);
    // A line past the end reads as empty text.
    const auto line = [&lines](std::size_t i) {
        return i < lines.size() ? lines[i] : std::string_view();
    };
    for (std::size_t first = 0; first < lines.size(); first += 4) {
        const int row = static_cast<int>(first / 4);
        AlarmEvent& event = content.events.emplace_back();
        event.time = line(first);
        event.message = line(first + 1);
        if (utf8) {
            std::optional<std::string> time = utf8ToCp1250Strict(event.time);
            std::optional<std::string> message = utf8ToCp1250Strict(event.message);
            if (!time || !message) {
                content.faults.push_back({row, AlarmRowFault::Kind::Unencodable});
            }
            event.time = time ? std::move(*time) : utf8ToCp1250(event.time);
            event.message = message ? std::move(*message) : utf8ToCp1250(event.message);
        }
        event.active = line(first + 2) == "1";
        if (first + 3 >= lines.size()) {
            event.unreadSound.emplace();
            content.faults.push_back({row, AlarmRowFault::Kind::Truncated});
        } else if (const std::optional<int> sound = parseInteger(line(first + 3))) {
            event.sound = *sound;
        } else {
            event.unreadSound = line(first + 3);
            content.faults.push_back({row, AlarmRowFault::Kind::BadSound});
        }
    }
    return content;
}

std::string formatAlarmFile(const std::vector<AlarmEvent>& events) {
    std::string out;
    for (const AlarmEvent& event : events) {
        out += event.time;
        out += "\r\n";
        out += event.message;
        out += "\r\n";
        out += event.active ? "1\r\n" : "0\r\n";
        out += event.unreadSound ? *event.unreadSound : std::to_string(event.sound);
        out += "\r\n";
    }
    return out;
}

// Leading blanks are skipped as well as trailing ones; blanks may also separate the marker from
// the time. Each part has one or two digits ("7:5" as the clock builds it, "07:05" as the editor
// writes it); only the space counts as a blank.
std::optional<DateTime> parseTimeOfDay(std::string_view text) {
    std::size_t pos = 0;
    skipBlanks(text, pos);
    Marker marker = readMarker(text, pos);
    if (marker != Marker::None) {
        skipBlanks(text, pos);
    }
    const std::optional<int> hour = readTimePart(text, pos);
    if (!hour || pos >= text.size() || text[pos] != ':') {
        return std::nullopt;
    }
    ++pos;
    const std::optional<int> minute = readTimePart(text, pos);
    if (!minute) {
        return std::nullopt;
    }
    int second = 0;
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        const std::optional<int> seconds = readTimePart(text, pos);
        if (!seconds) {
            return std::nullopt;
        }
        second = *seconds;
    }
    skipBlanks(text, pos);
    if (marker == Marker::None) {
        marker = readMarker(text, pos);
        skipBlanks(text, pos);
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    int hours = *hour;
    if (marker != Marker::None) {
        if (hours < 1 || hours > 12) {
            return std::nullopt;
        }
        hours = (hours % 12) + (marker == Marker::Pm ? 12 : 0);
    }
    if (hours > 23 || *minute > 59 || second > 59) {
        return std::nullopt;
    }
    return dayFraction((hours * 60 + *minute) * 60 + second);
}

std::string formatAlarmTime(int hour, int minute) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", hour, minute);
    return buffer;
}

// "Integer value" as the file's sound line reads it: an optional sign and digits, no blanks; so
// "-1" edits as hour -1, which the editor's spin field then clamps.
std::pair<int, int> editableTime(std::string_view time) {
    const auto part = [time](std::size_t start) {
        const std::string_view chars = time.substr(std::min(start, time.size()), 2);
        const std::optional<int> value = parseInteger(chars);
        if (!value) {
            // The characters as they are: they need not be UTF-8.
            throw Error(formatMessage(
                QCoreApplication::translate("AlarmList", "'%s' is not a valid integer value")
                    .toStdString(),
                std::string(chars)));
        }
        return *value;
    };
    const int hour = part(0);
    return {hour, part(3)};
}

const AlarmEvent& AlarmList::at(int index) const {
    return m_events.at(static_cast<std::size_t>(index));
}

void AlarmList::append(AlarmEvent event) {
    m_events.push_back(std::move(event));
}

void AlarmList::replace(int index, AlarmEvent event) {
    m_events.at(static_cast<std::size_t>(index)) = std::move(event);
}

void AlarmList::setActive(int index, bool active) {
    m_events.at(static_cast<std::size_t>(index)).active = active;
}

void AlarmList::remove(int index) {
    if (index < 0 || index >= count()) {
        throw std::out_of_range("AlarmList::remove");
    }
    m_events.erase(m_events.begin() + index);
}

void AlarmList::clear() {
    m_events.clear();
}

AlarmLoad AlarmList::load(IFileStore& files, const std::filesystem::path& path) {
    AlarmLoad result;
    const std::string name = path.filename().string();
    FileRead file = files.read(path, kAlarmFileMaxBytes);
    switch (file.status) {
    case FileRead::Status::Missing:
        return result;
    case FileRead::Status::Unreadable:
    case FileRead::Status::TooLarge:
        // What is on disk was not read; saving over it must keep it first.
        m_readWhole = false;
        result.status = AlarmLoad::Status::Failed;
        result.problems.push_back(path.string() + ": " + file.reason);
        return result;
    case FileRead::Status::Ok:
        break;
    }
    AlarmFileContent content = parseAlarmFile(std::as_bytes(std::span(file.bytes)));
    file.bytes = std::string(); // the rows hold the text now; a large file is not held twice
    result.status = content.failed() ? AlarmLoad::Status::Partial : AlarmLoad::Status::Read;
    result.problems = alarmRowProblems(content, name);
    m_readWhole = !content.failed();
    m_events = std::move(content.events);
    m_stored = m_events;
    return result;
}

AlarmSave AlarmList::save(IFileStore& files, const std::filesystem::path& path) {
    AlarmSave result;
    if (!m_readWhole) {
        constexpr int kMaxCopies = 100;
        for (int n = 1; n <= kMaxCopies && result.kept.empty(); ++n) {
            std::filesystem::path copy = path;
            copy += n == 1 ? std::string(".bak") : ".bak." + std::to_string(n);
            const CopyResult kept = files.keepCopy(path, copy);
            switch (kept.status) {
            case CopyResult::Status::Kept:
                result.kept = copy;
                break;
            case CopyResult::Status::Missing: // gone since: nothing left to keep
                n = kMaxCopies;
                break;
            case CopyResult::Status::Exists:
                if (n == kMaxCopies) {
                    return {false,
                            QCoreApplication::translate("AlarmList",
                                                        "%1: File exists; nothing was saved")
                                .arg(QString::fromStdString(copy.string()))
                                .toStdString(),
                            {}};
                }
                break;
            case CopyResult::Status::Failed:
                return {false,
                        QCoreApplication::translate(
                            "AlarmList", "%1 could not be kept as %2: %3; nothing was saved")
                            .arg(QString::fromStdString(path.string()),
                                 QString::fromStdString(copy.string()),
                                 QString::fromStdString(kept.reason))
                            .toStdString(),
                        {}};
            }
        }
    }
    const SaveResult saved = files.save(path, formatAlarmFile(m_events));
    if (!saved.ok()) {
        result.ok = false;
        result.problem = path.string() + ": " + saved.reason;
        return result; // the copy, if made, stays: it is the file as it still is
    }
    m_readWhole = true;
    m_stored = m_events;
    return result;
}

int AlarmList::activeEvents(std::string& text) const {
    text.clear();
    int count = 0;
    for (const AlarmEvent& event : m_events) {
        if (!event.active) {
            continue;
        }
        if (count > 0) {
            text += "\n\r";
        }
        text += event.time;
        text += " - ";
        text += event.message;
        ++count;
    }
    return count;
}

int AlarmList::findEvent(DateTime timeOfDay) const {
    for (std::size_t i = 0; i < m_events.size(); ++i) {
        const AlarmEvent& event = m_events[i];
        if (event.active && !event.unreadSound && parseTimeOfDay(event.time) == timeOfDay) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool AlarmList::getEvent(int index, std::string& message) const {
    if (index < 0) {
        message.clear();
        return false;
    }
    const AlarmEvent& event = at(index);
    message = event.message;
    return event.hasSound();
}

namespace {

// Longer than any time of day, blanks and marker included; a longer text is cut in messages.
constexpr std::size_t kTimeShown = 20;

std::string rowProblem(std::string_view fileName, int row, const QString& what) {
    return QCoreApplication::translate("AlarmList", "%1, event %2: %3")
        .arg(QString::fromStdString(std::string(fileName)))
        .arg(row + 1)
        .arg(what)
        .toStdString();
}

} // namespace

std::vector<std::string> alarmRowProblems(const AlarmFileContent& content,
                                          std::string_view fileName) {
    std::vector<std::string> problems;
    for (const AlarmRowFault& fault : content.faults) {
        const AlarmEvent& event = content.events.at(static_cast<std::size_t>(fault.row));
        switch (fault.kind) {
        case AlarmRowFault::Kind::BadSound:
            problems.push_back(rowProblem(
                fileName, fault.row,
                QCoreApplication::translate("AlarmList", "'%1' is not a valid integer value")
                    .arg(QString::fromStdString(
                        cp1250ToPrintable(event.unreadSound.value_or(""), kTimeShown)))));
            break;
        case AlarmRowFault::Kind::Truncated:
            problems.push_back(rowProblem(
                fileName, fault.row,
                QCoreApplication::translate("AlarmList", "the file ends inside the event")));
            break;
        case AlarmRowFault::Kind::Unencodable:
            problems.push_back(rowProblem(
                fileName, fault.row,
                QCoreApplication::translate(
                    "AlarmList", "characters that Windows-1250 cannot hold were read as '?'")));
            break;
        }
    }
    for (std::size_t row = 0; row < content.events.size(); ++row) {
        const std::string& time = content.events[row].time;
        if (!parseTimeOfDay(time)) {
            problems.push_back(
                rowProblem(fileName, static_cast<int>(row),
                           QCoreApplication::translate("AlarmList", "'%1' is not a valid time")
                               .arg(QString::fromStdString(cp1250ToPrintable(time, kTimeShown)))));
        }
    }
    return problems;
}

std::string activeEventsHint(const AlarmList& list, int maxEvents, int maxChars) {
    std::string text;
    int shown = 0;
    int more = 0;
    for (const AlarmEvent& event : list.events()) {
        if (!event.active) {
            continue;
        }
        if (shown == maxEvents) {
            ++more;
            continue;
        }
        if (shown > 0) {
            text += "\n\r";
        }
        const auto limit = static_cast<std::size_t>(maxChars);
        text += cp1250ToPrintable(event.time, limit);
        text += " - ";
        text += cp1250ToPrintable(event.message, limit);
        ++shown;
    }
    if (more > 0) {
        text +=
            "\n\r" +
            QCoreApplication::translate("AlarmList", "\u2026 and %1 more").arg(more).toStdString();
    }
    return text;
}

std::optional<DateTime> AlarmMinutes::minuteToCheck(DateTime now) {
    const ClockTime time = decodeTime(now);
    const int minuteOfDay = time.hour * 60 + time.minute;
    const std::int64_t minute = dateOf(now) * 24 * 60 + minuteOfDay;
    // Forward into a new minute, the tick stands in for that minute's second-0 tick, however
    // late; skipped minutes are not checked. At start or after the clock went back, only a tick
    // at second 0 checks.
    const bool due = (m_lastTickMinute && minute > *m_lastTickMinute) || time.second == 0;
    m_lastTickMinute = minute;
    if (!due || m_lastCheckedMinute == minute) {
        return std::nullopt;
    }
    m_lastCheckedMinute = minute;
    return dayFraction(minuteOfDay * 60);
}

} // namespace veskor
