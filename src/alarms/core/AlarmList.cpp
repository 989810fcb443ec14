#include "alarms/core/AlarmList.h"

#include "common/Error.h"

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
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::vector<std::string_view> lines = splitLines(text);
    AlarmFileContent content;
    // A line past the end reads as empty text.
    const auto line = [&lines](std::size_t i) {
        return i < lines.size() ? lines[i] : std::string_view();
    };
    for (std::size_t first = 0; first < lines.size(); first += 4) {
        AlarmEvent& event = content.events.emplace_back();
        event.time = line(first);
        event.message = line(first + 1);
        event.active = line(first + 2) == "1";
        const std::optional<int> sound = parseInteger(line(first + 3));
        if (!sound) {
            content.failed = true;
            break;
        }
        event.sound = *sound;
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
        out += std::to_string(event.sound);
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
            throw Error(formatMessage("'%s' is not a valid integer value", std::string(chars)));
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

bool AlarmList::load(IFileStore& files, const std::filesystem::path& path) {
    FileRead file = files.read(path, kAlarmFileMaxBytes);
    switch (file.status) {
    case FileRead::Status::Missing:
        return false;
    case FileRead::Status::Unreadable:
    case FileRead::Status::TooLarge:
        throw Error("Load failed.");
    case FileRead::Status::Ok:
        break;
    }
    AlarmFileContent content = parseAlarmFile(std::as_bytes(std::span(file.bytes)));
    m_events = std::move(content.events);
    if (content.failed) {
        throw Error("Load failed.");
    }
    return true;
}

void AlarmList::save(IFileStore& files, const std::filesystem::path& path) const {
    if (files.save(path, formatAlarmFile(m_events)) != FileSave::Ok) {
        throw Error("Save failed.");
    }
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
        // Inactive rows are parsed too: a bad row stops the search wherever it stands.
        const std::optional<DateTime> time = parseTimeOfDay(event.time);
        if (!time) {
            throw Error(formatMessage("'%s' is not a valid time", event.time));
        }
        if (event.active && *time == timeOfDay) {
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
