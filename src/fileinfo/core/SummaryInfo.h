#pragma once
// The summary properties (title, author, counts, dates) of a compound document: the property set
// of its "\005SummaryInformation" stream, parsed here from the stream's bytes.

#include "common/DateTime.h"
#include "platform/MappedFile.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace veskor {

// The stream that holds the summary property set, named with a leading 0x05.
inline constexpr char kSummaryStreamName[] = "\005SummaryInformation";

struct SummaryProperties {
    QString title;              // 2
    QString subject;            // 3
    QString author;             // 4
    QString keywords;           // 5
    QString comments;           // 6
    QString templateName;       // 7
    QString lastAuthor;         // 8
    QString revNumber;          // 9
    std::int32_t editTime = 0;  // 10, whole minutes
    DateTime lastPrinted = 0;   // 11; 0 for none
    DateTime created = 0;       // 12
    DateTime lastSaved = 0;     // 13
    std::int32_t pageCount = 0; // 14
    std::int32_t wordCount = 0; // 15
    std::int32_t charCount = 0; // 16

    bool operator==(const SummaryProperties&) const = default;
};

// The local wall-clock time of a moment given in seconds since 1970 UTC; nothing when the
// system cannot say.
using LocalTimeOf = std::function<std::optional<std::tm>(std::int64_t unixSeconds)>;
std::optional<std::tm> systemLocalTime(std::int64_t unixSeconds);

// A packed MS-DOS date and time (two-second steps) as a day count; 0 when it names no valid
// moment.
DateTime dosDateTimeToDateTime(std::uint16_t dosDate, std::uint16_t dosTime);
// A FILETIME (100 ns units since 1601-01-01 UTC) taken to local time, packed as an MS-DOS date
// and time (1980 to 2107, two-second steps) and read back as a day count; 0 when a step fails,
// so a zero FILETIME gives 0.
DateTime fileTimeToDateTime(std::uint64_t fileTime, const LocalTimeOf& localTime);
// A duration in 100 ns units as whole minutes (rounded down); 0 past the 32-bit range.
std::int32_t durationToMinutes(std::uint64_t duration);

// 8-bit property text: the bytes up to the first NUL, decoded by the property set's code page
// (65001 UTF-8, 1200 UTF-16LE, 1250, 1252, ...); without one, or for a code page the system
// cannot decode, as UTF-8 when the bytes are valid UTF-8, else as Windows-1250.
QString decodeSummaryText(std::span<const std::byte> bytes, std::optional<std::uint16_t> codePage);

struct SummaryReading {
    SummaryProperties properties;
    std::optional<std::uint16_t> codePage; // property 1
    bool hasTable = false;                 // the header and the property table were found
    std::vector<std::string> problems; // what was cut short or did not fit, for tests and fuzzing
};

// Parses the first section of a summary property set. Never reads outside `stream`; a damaged
// stream gives what could be read.
SummaryReading parseSummaryStream(std::span<const std::byte> stream,
                                  const LocalTimeOf& localTime = systemLocalTime);

// What a document file's summary gave: its properties and the problems met reading them, or
// why there is none.
struct SummaryInfo {
    SummaryProperties properties;
    std::vector<std::string> problems; // what was cut short or did not fit, and the library's
                                       // complaints about a damaged container
    std::string error; // empty when read; else the reason, and the properties stay empty
};

// Reads the summary of the compound document at path. A file that is missing, is not a compound
// document, or has no summary stream or no property set in it gives the reason in error.
SummaryInfo readSummaryInfo(const QString& path, const IMappedFiles& files);

} // namespace veskor
