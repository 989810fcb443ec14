// The summary property-set parser over assembled streams: every type tag, what is skipped,
// the date and duration conversions, the code page, and damaged streams.

#include "SummaryFiles.h"
#include "fileinfo/core/SummaryInfo.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

using namespace veskor::test;

// UTC as "local" time, so that the expected day counts do not depend on the machine.
std::optional<std::tm> utc(std::int64_t seconds) {
    const auto moment = static_cast<std::time_t>(seconds);
    std::tm out{};
    if (gmtime_r(&moment, &out) == nullptr) {
        return std::nullopt;
    }
    return out;
}

DateTime at(int year, int month, int day, int hour, int minute, int second) {
    return encodeDateTime({year, month, day}, {hour, minute, second, 0});
}

TEST(SummaryStream, ReadsEveryPropertyByItsTypeTag) {
    const std::uint64_t ninetyMinutesAndABit = 90ULL * 60 * 10'000'000 + 35ULL * 10'000'000;
    const std::string stream = propertySet({
        {2, textValue("Title")},
        {3, textValue("Subject")},
        {4, textValue("Author")},
        {5, textValue("Keywords")},
        {6, textValue("Comments")},
        {7, textValue("Report.tpl")},
        {8, textValue("Last")},
        {9, textValue("7")},
        {10, fileTimeValue(ninetyMinutesAndABit)},
        {11, fileTimeValue(fileTime(2001, 2, 3, 4, 5, 6))},
        {12, fileTimeValue(fileTime(1999, 12, 31, 23, 59, 59))},
        {13, fileTimeValue(fileTime(2107, 12, 31, 23, 59, 58))},
        {14, int32Value(1234)},
        {15, int32Value(-5)},
        {16, int32Value(2147483647)},
    });
    const SummaryReading reading = parseSummaryStream(bytesOf(stream), utc);
    SummaryProperties expected;
    expected.title = "Title";
    expected.subject = "Subject";
    expected.author = "Author";
    expected.keywords = "Keywords";
    expected.comments = "Comments";
    expected.templateName = "Report.tpl";
    expected.lastAuthor = "Last";
    expected.revNumber = "7";
    expected.editTime = 90;
    expected.lastPrinted = at(2001, 2, 3, 4, 5, 6);
    expected.created = at(1999, 12, 31, 23, 59, 58); // two-second steps, rounded down
    expected.lastSaved = at(2107, 12, 31, 23, 59, 58);
    expected.pageCount = 1234;
    expected.wordCount = -5;
    expected.charCount = 2147483647;
    EXPECT_TRUE(reading.hasTable);
    EXPECT_EQ(reading.properties, expected);
    EXPECT_TRUE(reading.problems.empty());
}

TEST(SummaryStream, SkipsOtherTypesAndIdentifiersAndMismatchedTypes) {
    const std::string stream = propertySet({
        {0, textValue("dictionary")},
        {14, int16Value(7)}, // a 16-bit integer is not read, not even under a count
        {17, le(71, 4) + le(4, 4) + "\x01\x02\x03\x04"}, // thumbnail
        {18, textValue("Application")},
        {19, int32Value(1)},
        {2, int32Value(99)},   // a number under a text
        {3, fileTimeValue(1)}, // a FILETIME under a text
        {11, int32Value(5)},   // a number under a date
        {15, textValue("12")}, // a text under a count
        {4, textValue("Author")},
    });
    const SummaryReading reading = parseSummaryStream(bytesOf(stream), utc);
    SummaryProperties expected;
    expected.author = "Author";
    EXPECT_EQ(reading.properties, expected);
    // The five values under the wrong type are reported; identifiers outside 1 to 16 are not.
    EXPECT_EQ(reading.problems.size(), 5U);
}

TEST(SummaryStream, DatesOutsideThePackedRangeAreZero) {
    const std::string stream = propertySet({
        {11, fileTimeValue(0)},                                  // never printed
        {12, fileTimeValue(fileTime(1979, 12, 31, 23, 59, 59))}, // before 1980
        {13, fileTimeValue(fileTime(2108, 1, 1, 0, 0, 0))},      // past 2107
        {10, fileTimeValue(~0ULL)},                              // no 32-bit minute count
    });
    const SummaryReading reading = parseSummaryStream(bytesOf(stream), utc);
    EXPECT_EQ(reading.properties, SummaryProperties{});
    EXPECT_EQ(fileTimeToDateTime(fileTime(1980, 1, 1, 0, 0, 1), utc), at(1980, 1, 1, 0, 0, 0));
    EXPECT_EQ(fileTimeToDateTime(~0ULL, utc), 0);
    EXPECT_EQ(fileTimeToDateTime(fileTime(2000, 1, 1, 0, 0, 0),
                                 [](std::int64_t) { return std::optional<std::tm>(); }),
              0);
}

TEST(SummaryStream, DatesAreConvertedToLocalTime) {
    // Central European summer time, written out so no time-zone database is needed.
    const TimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(fileTimeToDateTime(fileTime(2024, 7, 1, 22, 30, 0), systemLocalTime),
              at(2024, 7, 2, 0, 30, 0));
    EXPECT_EQ(fileTimeToDateTime(fileTime(2024, 1, 1, 22, 30, 0), systemLocalTime),
              at(2024, 1, 1, 23, 30, 0));
}

TEST(SummaryStream, PackedDosValuesThatNameNoMomentAreZero) {
    const auto date = [](int year, int month, int day) {
        return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
    };
    const auto time = [](int hour, int minute, int halfSeconds) {
        return static_cast<std::uint16_t>((hour << 11) | (minute << 5) | halfSeconds);
    };
    EXPECT_EQ(dosDateTimeToDateTime(date(2024, 2, 29), time(23, 59, 29)),
              at(2024, 2, 29, 23, 59, 58));
    EXPECT_EQ(dosDateTimeToDateTime(date(2023, 2, 29), time(0, 0, 0)), 0);
    EXPECT_EQ(dosDateTimeToDateTime(date(2024, 13, 1), time(0, 0, 0)), 0);
    EXPECT_EQ(dosDateTimeToDateTime(date(2024, 0, 1), time(0, 0, 0)), 0);
    EXPECT_EQ(dosDateTimeToDateTime(date(2024, 1, 0), time(0, 0, 0)), 0);
    EXPECT_EQ(dosDateTimeToDateTime(date(2024, 1, 1), time(24, 0, 0)), 0);
    EXPECT_EQ(dosDateTimeToDateTime(date(2024, 1, 1), time(0, 60, 0)), 0);
    EXPECT_EQ(dosDateTimeToDateTime(date(2024, 1, 1), time(0, 0, 30)), 0);
}

TEST(SummaryStream, TextsFollowTheCodePageProperty) {
    // The code page stands after the text it applies to; 65001 is negative as a signed 16-bit
    // number.
    const auto titleIn = [](std::uint16_t codePage, const std::string& bytes) {
        return parseSummaryStream(
                   bytesOf(propertySet({{2, textValue(bytes)}, {1, int16Value(codePage)}})), utc)
            .properties.title;
    };
    EXPECT_EQ(titleIn(1252, "caf\xE9 \x80"), QString::fromUtf8("café €"));
    EXPECT_EQ(titleIn(1250, "\x8A\x9A\xE8"), QString::fromUtf8("Ššč"));
    EXPECT_EQ(titleIn(65001, "\xC5\xA1"), QString::fromUtf8("š"));
    EXPECT_EQ(titleIn(65001, "\x9A"), QString(QChar(0xFFFD))); // not guessed as 1250
    EXPECT_EQ(titleIn(1251, "\xC0\xE1"), QString::fromUtf8("Аб"));
    EXPECT_EQ(titleIn(1200, std::string("A\0\x61\x01\0\0junk", 8)), QString::fromUtf8("Aš"));
    // A code page the system cannot decode falls back to the guess.
    EXPECT_EQ(titleIn(12345, "\xC5\xA1"), QString::fromUtf8("š"));

    const std::string utf8 = "\xC5\xA1\xC4\x8D";
    EXPECT_EQ(decodeSummaryText(bytesOf(utf8), std::nullopt), QString::fromUtf8("šč"));
    const std::string cp1250 = "\x9A\xE8";
    EXPECT_EQ(decodeSummaryText(bytesOf(cp1250), std::nullopt), QString::fromUtf8("šč"));
    const std::string stored = std::string("ab\0cd", 5); // the length counts the terminator
    EXPECT_EQ(decodeSummaryText(bytesOf(stored), std::nullopt), "ab");
}

TEST(SummaryStream, DamagedStreamsGiveWhatCouldBeRead) {
    const std::string whole =
        propertySet({{2, textValue("First")}, {14, int32Value(3)}, {4, textValue("Author name")}});
    // Every cut: never outside the stream (the sanitizers watch), and nothing invented.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const std::string cut = whole.substr(0, size);
        const SummaryReading reading = parseSummaryStream(bytesOf(cut), utc);
        EXPECT_EQ(reading.hasTable, size >= 56) << size;
        if (reading.hasTable) {
            EXPECT_FALSE(reading.problems.empty()) << size;
        }
        EXPECT_TRUE(QString("First").startsWith(reading.properties.title)) << size;
        EXPECT_TRUE(QString("Author name").startsWith(reading.properties.author)) << size;
    }
    // Cut in the last text: the others whole, the text up to the cut.
    const SummaryReading cut = parseSummaryStream(bytesOf(whole.substr(0, whole.size() - 7)), utc);
    EXPECT_EQ(cut.properties.title, "First");
    EXPECT_EQ(cut.properties.pageCount, 3);
    EXPECT_EQ(cut.properties.author, "Autho");

    // Offsets and counts pointing far outside, and a text claiming 4 GB.
    std::string hostile = whole;
    hostile.replace(52, 4, le(0xFFFFFFFF, 4)); // property count
    hostile.replace(60, 4, le(0xFFFFFFF0, 4)); // first offset
    hostile.replace(whole.find("Author") - 4, 4, le(0xFFFFFFFF, 4));
    const SummaryReading wild = parseSummaryStream(bytesOf(hostile), utc);
    EXPECT_EQ(wild.properties.title, "");
    EXPECT_EQ(wild.properties.pageCount, 3);
    EXPECT_EQ(wild.properties.author, "Author name");
    std::string farSection = whole;
    farSection.replace(44, 4, le(0xFFFFFFFC, 4));
    EXPECT_FALSE(parseSummaryStream(bytesOf(farSection), utc).hasTable);
}

} // namespace
} // namespace veskor
