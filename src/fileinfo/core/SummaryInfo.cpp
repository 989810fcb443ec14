#include "fileinfo/core/SummaryInfo.h"

#include "common/ByteReader.h"
#include "common/Cp1250.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstdint>
#include <iconv.h>
#include <limits>
#include <string_view>

namespace veskor {

namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kFileTimeToUnixSeconds = 11644473600;
constexpr std::uint64_t kFileTimeUnitsPerSecond = 10'000'000;

// Summary streams are small; one with a huge thumbnail is read up to here and what lies beyond
// is reported as cut short.
constexpr std::size_t kMaxStreamBytes = std::size_t{16} * 1024 * 1024;

constexpr std::uint32_t kTypeInt16 = 2;
constexpr std::uint32_t kTypeInt32 = 3;
constexpr std::uint32_t kTypeString = 30;
constexpr std::uint32_t kTypeFileTime = 64;

constexpr std::uint32_t kCodePageId = 1;

constexpr std::size_t kHeaderBytes = 28;
constexpr std::size_t kSectionListBytes = 20; // format identifier and offset

std::string describe(std::uint32_t id, const char* what) {
    return "property " + std::to_string(id) + ": " + what;
}

std::span<const std::byte> untilNul(std::span<const std::byte> bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), std::byte{0});
    return bytes.first(static_cast<std::size_t>(end - bytes.begin()));
}

QString decodeUtf16(std::span<const std::byte> bytes) {
    std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        if (bytes[2 * i] == std::byte{0} && bytes[2 * i + 1] == std::byte{0}) {
            units = i;
            break;
        }
    }
    QStringDecoder decoder(QStringConverter::Utf16LE);
    return decoder(QByteArrayView(bytes.first(units * 2)));
}

// The system's converter for a Windows code page; nothing when it has none or the bytes do not
// fit it.
std::optional<QString> decodeWithIconv(std::span<const std::byte> bytes, std::uint16_t codePage) {
    std::string name;
    if (codePage == 20127) {
        name = "ASCII";
    } else if (codePage == 10000) {
        name = "MACINTOSH";
    } else if (codePage >= 28591 && codePage <= 28599) {
        name = "ISO-8859-" + std::to_string(codePage - 28590);
    } else {
        name = "CP" + std::to_string(codePage);
    }
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    // iconv_open reports failure as (iconv_t)-1.
    if (reinterpret_cast<std::intptr_t>(cd) == -1) {
        return std::nullopt;
    }
    std::string in(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return QString::fromStdString(out);
}

QString decodeWithoutCodePage(std::span<const std::byte> bytes) {
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(QByteArrayView(bytes));
    if (!utf8.hasError()) {
        return text;
    }
    return QString::fromStdString(
        cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

struct RawProperties {
    std::array<std::optional<std::span<const std::byte>>, 8> texts; // identifiers 2 to 9
};

} // namespace

std::optional<std::tm> systemLocalTime(std::int64_t unixSeconds) {
    if (unixSeconds < std::numeric_limits<std::time_t>::min() ||
        unixSeconds > std::numeric_limits<std::time_t>::max()) {
        return std::nullopt;
    }
    const auto moment = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr) {
        return std::nullopt;
    }
    return local;
}

DateTime dosDateTimeToDateTime(std::uint16_t dosDate, std::uint16_t dosTime) {
    const int year = 1980 + (dosDate >> 9);
    const int month = (dosDate >> 5) & 0x0F;
    const int day = dosDate & 0x1F;
    const int hour = dosTime >> 11;
    const int minute = (dosTime >> 5) & 0x3F;
    const int second = (dosTime & 0x1F) * 2;
    if (!isValidDate(year, month, day) || hour > 23 || minute > 59 || second > 59) {
        return 0;
    }
    return encodeDate(year, month, day) + encodeTime(hour, minute, second, 0);
}

DateTime fileTimeToDateTime(std::uint64_t fileTime, const LocalTimeOf& localTime) {
    const std::int64_t unixSeconds =
        static_cast<std::int64_t>(fileTime / kFileTimeUnitsPerSecond) - kFileTimeToUnixSeconds;
    const std::optional<std::tm> local = localTime(unixSeconds);
    if (!local) {
        return 0;
    }
    // The packed form holds 1980 to 2107 only; a never-set stamp (1601) fails here.
    const long long year = static_cast<long long>(local->tm_year) + 1900;
    if (year < 1980 || year > 2107 || local->tm_mon < 0 || local->tm_mon > 11 ||
        local->tm_mday < 1 || local->tm_mday > 31 || local->tm_hour < 0 || local->tm_hour > 23 ||
        local->tm_min < 0 || local->tm_min > 59 || local->tm_sec < 0 || local->tm_sec > 61) {
        return 0;
    }
    const auto dosDate = static_cast<std::uint16_t>(((year - 1980) << 9) |
                                                    ((local->tm_mon + 1) << 5) | local->tm_mday);
    const auto dosTime = static_cast<std::uint16_t>((local->tm_hour << 11) | (local->tm_min << 5) |
                                                    (local->tm_sec / 2));
    return dosDateTimeToDateTime(dosDate, dosTime);
}

std::int32_t durationToMinutes(std::uint64_t duration) {
    constexpr std::uint64_t kUnitsPerMinute = 60 * kFileTimeUnitsPerSecond;
    const std::uint64_t minutes = duration / kUnitsPerMinute;
    if (minutes > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return 0;
    }
    return static_cast<std::int32_t>(minutes);
}

QString decodeSummaryText(std::span<const std::byte> bytes, std::optional<std::uint16_t> codePage) {
    if (codePage == 1200) {
        return decodeUtf16(bytes);
    }
    const std::span<const std::byte> text = untilNul(bytes);
    if (codePage == 65001) {
        QStringDecoder utf8(QStringConverter::Utf8);
        return utf8(QByteArrayView(text));
    }
    if (codePage == 1250) {
        return QString::fromStdString(cp1250ToUtf8(
            std::string_view(reinterpret_cast<const char*>(text.data()), text.size())));
    }
    if (codePage) {
        if (std::optional<QString> decoded = decodeWithIconv(text, *codePage)) {
            return *decoded;
        }
    }
    return decodeWithoutCodePage(text);
}

SummaryReading parseSummaryStream(std::span<const std::byte> stream, const LocalTimeOf& localTime) {
    SummaryReading reading;
    const ByteReader reader(stream);
    if (stream.size() < kHeaderBytes + kSectionListBytes) {
        reading.problems.emplace_back("stream shorter than the property-set header");
        return reading;
    }
    // Only the first section is used; the header's own fields are not checked.
    const std::uint64_t section = *reader.u32(kHeaderBytes + 16);
    const std::optional<std::uint32_t> count = reader.u32(section + 4);
    if (!count) {
        reading.problems.emplace_back("section header outside the stream");
        return reading;
    }
    reading.hasTable = true;

    RawProperties raw;
    SummaryProperties& out = reading.properties;
    for (std::uint64_t i = 0; i < *count; ++i) {
        const std::uint64_t entry = section + 8 + 8 * i;
        const std::optional<std::uint32_t> id = reader.u32(entry);
        const std::optional<std::uint32_t> offset = reader.u32(entry + 4);
        if (!id || !offset) {
            reading.problems.emplace_back("property table cut short");
            break;
        }
        const std::uint64_t at = section + *offset;
        const std::optional<std::uint32_t> type = reader.u32(at);
        if (!type) {
            reading.problems.push_back(describe(*id, "outside the stream"));
            continue;
        }
        const std::uint64_t value = at + 4;
        if (*id == kCodePageId) {
            if (*type == kTypeInt16) {
                if (const auto page = reader.u16(value)) {
                    reading.codePage = *page;
                } else {
                    reading.problems.push_back(describe(*id, "cut short"));
                }
            }
            continue;
        }
        if (*id < 2 || *id > 16) {
            continue; // thumbnail, application name, security and others
        }
        if (*id <= 9) {
            if (*type != kTypeString) {
                reading.problems.push_back(describe(*id, "not a text"));
                continue;
            }
            const std::optional<std::uint32_t> length = reader.u32(value);
            if (!length) {
                reading.problems.push_back(describe(*id, "cut short"));
                continue;
            }
            const std::span<const std::byte> text =
                std::as_bytes(reader.part(value + 4, *length).bytes());
            if (text.size() < *length) {
                reading.problems.push_back(describe(*id, "text cut short"));
            }
            raw.texts.at(*id - 2) = text;
        } else if (*id <= 13) {
            if (*type != kTypeFileTime) {
                reading.problems.push_back(describe(*id, "not a FILETIME"));
                continue;
            }
            const std::optional<std::uint64_t> stamp = reader.u64(value);
            if (!stamp) {
                reading.problems.push_back(describe(*id, "cut short"));
                continue;
            }
            if (*id == 10) {
                out.editTime = durationToMinutes(*stamp);
            } else {
                DateTime& date = *id == 11   ? out.lastPrinted
                                 : *id == 12 ? out.created
                                             : out.lastSaved;
                date = fileTimeToDateTime(*stamp, localTime);
            }
        } else {
            if (*type != kTypeInt32) {
                reading.problems.push_back(describe(*id, "not a 32-bit integer"));
                continue;
            }
            const std::optional<std::uint32_t> number = reader.u32(value);
            if (!number) {
                reading.problems.push_back(describe(*id, "cut short"));
                continue;
            }
            std::int32_t& count32 = *id == 14   ? out.pageCount
                                    : *id == 15 ? out.wordCount
                                                : out.charCount;
            count32 = static_cast<std::int32_t>(*number);
        }
    }

    // The code page may follow the texts in the table, so they are decoded last.
    QString* const texts[] = {&out.title,    &out.subject,      &out.author,     &out.keywords,
                              &out.comments, &out.templateName, &out.lastAuthor, &out.revNumber};
    for (std::size_t i = 0; i < raw.texts.size(); ++i) {
        if (raw.texts.at(i)) {
            *texts[i] = decodeSummaryText(*raw.texts.at(i), reading.codePage);
        }
    }
    return reading;
}

namespace {

// Why the stream gave no bytes to parse; empty when it did.
std::string streamError(const std::string& name, const CompoundStream& stream) {
    const std::string reason = stream.reason.empty() ? "" : ": " + stream.reason;
    switch (stream.failure) {
    case CompoundStream::Failure::None:
        return {};
    case CompoundStream::Failure::NoLibrary:
        return "Cannot open file " + name +
               ": the compound document library (libgsf) is not installed";
    case CompoundStream::Failure::CannotOpen:
        return "Cannot open file " + name + reason;
    case CompoundStream::Failure::NotCompound:
        return name + " is not a compound document: " + stream.reason;
    case CompoundStream::Failure::NoStream:
        return name + " has no summary information";
    case CompoundStream::Failure::CannotRead:
        return "Cannot read the summary information of " + name;
    }
    return "Cannot read the summary information of " + name;
}

} // namespace

SummaryInfo readSummaryInfo(const QString& path, const IMappedFiles& files) {
    SummaryInfo info;
    const std::string name = path.toStdString();
    const CompoundStream stream = files.readCompoundStream(QFile::encodeName(path).toStdString(),
                                                           kSummaryStreamName, kMaxStreamBytes);
    info.error = streamError(name, stream);
    if (!info.error.empty()) {
        return info;
    }
    SummaryReading reading = parseSummaryStream(stream.bytes);
    if (!reading.hasTable) {
        info.error = name + " has no summary property set";
        return info;
    }
    info.properties = std::move(reading.properties);
    info.problems = std::move(reading.problems);
    if (stream.size > kMaxStreamBytes) {
        info.problems.emplace_back("stream longer than read");
    }
    info.problems.insert(info.problems.end(), stream.messages.begin(), stream.messages.end());
    return info;
}

} // namespace veskor
