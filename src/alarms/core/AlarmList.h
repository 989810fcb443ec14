#pragma once
// The daily alarm events and their file "Veskor32.aev": four lines per event (time text, message,
// "1" when active, the sound as a signed integer: 0 sounds, anything else is silent), every line
// ending in CR LF. Texts are Windows-1250 bytes, as in the file.

#include "common/DateTime.h"
#include "platform/FileStore.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veskor {

struct AlarmEvent {
    std::string time;    // normally "hh:mm"; a hand-written file may hold anything
    std::string message; // one line, possibly empty
    bool active = false;
    int sound = 0; // 0: sounds; -1 (or any other number read from a file): silent

    [[nodiscard]] bool hasSound() const { return sound == 0; }
    friend bool operator==(const AlarmEvent&, const AlarmEvent&) = default;
};

inline constexpr const char* kAlarmFileName = "Veskor32.aev";
// Far above any real alarm file; a larger one is not read.
inline constexpr std::size_t kAlarmFileMaxBytes = std::size_t{4} * 1024 * 1024;

struct AlarmFileContent {
    std::vector<AlarmEvent> events; // on failure: the rows read so far, the one being filled too
    bool failed = false;            // a sound line that is not an integer
};

// Lines end at CR LF, lone LF or lone CR (a terminator at the very end adds no line). Active is
// the line "1" exactly; the sound line is an optional sign and decimal digits within int. A file
// that ends inside an event reads the missing lines as empty (and fails on the missing sound
// line); a new row starts as time "", message "", inactive, sound 0.
AlarmFileContent parseAlarmFile(std::span<const std::byte> bytes);
std::string formatAlarmFile(const std::vector<AlarmEvent>& events);

// "h:m" or "h:m:s", each part one or two decimal digits, with an optional "AM"/"PM" (any case)
// before or after, with or without a blank (then hours 1-12, 12 counting as 0, PM adding 12);
// hours below 24, minutes and seconds below 60; blanks (spaces) may lead and follow, nothing
// else. The fraction of a day, or nullopt when the text is not a time of day.
std::optional<DateTime> parseTimeOfDay(std::string_view text);

// "hh:mm" with leading zeros, as the editor writes a time.
std::string formatAlarmTime(int hour, int minute);
// The hour and minute an edited event starts from: the integer values of characters 1-2 and 4-5
// of its time text, each an optional sign and digits. Throws
// Error("'<those two characters>' is not a valid integer value").
std::pair<int, int> editableTime(std::string_view time);

// The list the settings window edits and the clock reads, in insertion order (never sorted).
class AlarmList {
public:
    [[nodiscard]] const std::vector<AlarmEvent>& events() const { return m_events; }
    [[nodiscard]] int count() const { return static_cast<int>(m_events.size()); }
    [[nodiscard]] const AlarmEvent& at(int index) const;
    void append(AlarmEvent event);
    void replace(int index, AlarmEvent event);
    void setActive(int index, bool active);
    void remove(int index);
    void clear();

    // Replaces the list by the file's rows. A missing file changes nothing and returns false.
    // Throws Error("Load failed.") for a file that cannot be read or is too large (the list
    // unchanged), or that holds a bad sound line (the rows read up to it, that one too).
    bool load(IFileStore& files, const std::filesystem::path& path);
    // Replaces the file atomically; throws Error("Save failed.") and leaves the old file whole.
    void save(IFileStore& files, const std::filesystem::path& path) const;

    // The active events as "time - message" entries joined by LF CR (in that order), and their
    // count.
    int activeEvents(std::string& text) const;
    // The index of the first active event whose time equals timeOfDay exactly, or -1. Every time
    // text up to the match is parsed; one that is not a time throws
    // Error("'<text>' is not a valid time").
    [[nodiscard]] int findEvent(DateTime timeOfDay) const;
    // For index >= 0: the event's message, and whether it sounds. For a negative index: empty
    // message, false.
    bool getEvent(int index, std::string& message) const;

private:
    std::vector<AlarmEvent> m_events;
};

// Which minute a clock tick checks for alarms. A tick at second 0 checks its minute; a tick that
// lands later in a new minute (its second-0 tick came late or never) checks that minute too; after
// a gap of more than a minute only the current minute is checked. No minute is checked twice in a
// row, and before the first tick nothing counts as missed. A clock set back is treated as a start:
// only second 0 checks until it moves forward into a new minute again.
class AlarmMinutes final {
public:
    // The time of day hh:mm:00 to check at the tick at `now`, or nullopt.
    std::optional<DateTime> minuteToCheck(DateTime now);

private:
    std::optional<std::int64_t> m_lastTickMinute;
    std::optional<std::int64_t> m_lastCheckedMinute;
};

} // namespace veskor
