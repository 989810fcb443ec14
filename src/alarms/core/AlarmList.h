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
    // A row as the editor makes it; an unread sound line only comes from a file.
    AlarmEvent(std::string timeText = {}, std::string messageText = {}, bool isActive = false,
               int soundIndex = 0)
        : time(std::move(timeText)), message(std::move(messageText)), active(isActive),
          sound(soundIndex) {}

    std::string time;    // normally "hh:mm"; a hand-written file may hold anything
    std::string message; // one line, possibly empty
    bool active = false;
    int sound = 0; // 0: sounds; -1 (or any other number read from a file): silent
    // The sound line as the file held it when it was no integer (empty when the file ended
    // before it): the row cannot fire, and is written back as it was read.
    std::optional<std::string> unreadSound;

    [[nodiscard]] bool hasSound() const { return sound == 0; }
    friend bool operator==(const AlarmEvent&, const AlarmEvent&) = default;
};

inline constexpr const char* kAlarmFileName = "Veskor32.aev";
// Far above any real alarm file; a larger one is not read.
inline constexpr std::size_t kAlarmFileMaxBytes = std::size_t{4} * 1024 * 1024;

// What kept a row of the file from being read as it stands.
struct AlarmRowFault {
    enum class Kind {
        BadSound,    // the sound line is no integer: the row cannot fire
        Truncated,   // the file ends inside the row: the row cannot fire
        Unencodable, // a UTF-8 file's text has characters Windows-1250 cannot hold ('?' stands in)
    };
    int row = 0; // from 0
    Kind kind = Kind::BadSound;
};

struct AlarmFileContent {
    std::vector<AlarmEvent> events; // every row of the file, faulty ones too
    std::vector<AlarmRowFault> faults;
    // Something was lost in reading: writing the rows back would not give the file again.
    [[nodiscard]] bool failed() const { return !faults.empty(); }
};

// Lines end at CR LF, lone LF or lone CR (a terminator at the very end adds no line). Active is
// the line "1" exactly; the sound line is an optional sign and decimal digits within int. A file
// that ends inside an event reads the missing lines as empty; a new row starts as time "",
// message "", inactive, sound 0. A file that starts with the UTF-8 byte order mark is UTF-8 and
// its texts are turned into Windows-1250.
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

// How reading the file went. The problems are one line each, UTF-8 with control characters
// escaped, naming the file and, for a row, its number from 1:
// "Veskor32.aev, event 3: '24:00' is not a valid time".
struct AlarmLoad {
    enum class Status {
        Missing, // no file: the list unchanged
        Read,    // every row read; rows that are not a time are listed in problems
        Partial, // "Load failed.": the rows read, with the faults in problems
        Failed,  // "Load failed.": nothing read (unreadable, too large), the list unchanged
    };
    Status status = Status::Missing;
    std::vector<std::string> problems;

    [[nodiscard]] bool loadFailed() const {
        return status == Status::Partial || status == Status::Failed;
    }
};

// How saving went: on failure ("Save failed.") the reason, the old file untouched; `kept` names
// the copy of the old file made first when it had not been read whole.
struct AlarmSave {
    bool ok = true;
    std::string problem;
    std::filesystem::path kept;
};

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

    // Replaces the list by every row of the file, faulty ones included; a missing file, or one
    // that cannot be read at all, leaves it unchanged.
    AlarmLoad load(IFileStore& files, const std::filesystem::path& path);
    // Whether the list differs from what was last loaded or saved.
    [[nodiscard]] bool changed() const { return m_events != m_stored; }
    // Replaces the file atomically. When the file was not read whole at the last load, it is
    // first kept beside itself as "<name>.bak" (or ".bak.2", ... when that is taken); the save
    // is refused rather than made without that copy.
    AlarmSave save(IFileStore& files, const std::filesystem::path& path);

    // The active events as "time - message" entries joined by LF CR (in that order), and their
    // count.
    int activeEvents(std::string& text) const;
    // The index of the first active event whose time equals timeOfDay exactly, or -1. Rows that
    // cannot fire (a time that is not a time, an unread sound line) are passed over.
    [[nodiscard]] int findEvent(DateTime timeOfDay) const;
    // For index >= 0: the event's message, and whether it sounds. For a negative index: empty
    // message, false.
    bool getEvent(int index, std::string& message) const;

private:
    std::vector<AlarmEvent> m_events;
    std::vector<AlarmEvent> m_stored; // as last loaded or saved
    bool m_readWhole = true;          // false: the file on disk holds more than was read
};

// The problems of the rows themselves, one line each as in AlarmLoad: the file's faults, then
// the rows whose time is not a time.
std::vector<std::string> alarmRowProblems(const AlarmFileContent& content,
                                          std::string_view fileName);

// The time cell's hint: the first `maxEvents` active events as "time - message" joined by LF CR,
// each text cut to `maxChars` characters with control characters escaped, then a line
// "… and N more" for the rest; empty without active events. UTF-8.
std::string activeEventsHint(const AlarmList& list, int maxEvents = 20, int maxChars = 100);

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
