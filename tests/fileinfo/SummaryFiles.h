#pragma once
// Summary property sets assembled byte by byte, and compound files written around them (with
// the container library's writer), for the summary reader's tests.

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gtest/gtest.h>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace veskor::test {

inline std::string le(std::uint64_t value, int width) {
    std::string bytes;
    for (int i = 0; i < width; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

// Typed values as they follow a property's offset: the 32-bit type tag, then the value.
inline std::string textValue(const std::string& bytes) {
    return le(30, 4) + le(bytes.size() + 1, 4) + bytes + '\0';
}
inline std::string int32Value(std::int32_t value) {
    return le(3, 4) + le(static_cast<std::uint32_t>(value), 4);
}
inline std::string int16Value(std::uint16_t value) {
    return le(2, 4) + le(value, 2) + std::string(2, '\0');
}
inline std::string fileTimeValue(std::uint64_t value) {
    return le(64, 4) + le(value, 8);
}

// FILETIME of a UTC moment.
inline std::uint64_t fileTime(int year, int month, int day, int hour, int minute, int second) {
    // Days from 1601-01-01 by the civil-from-days inverse (proleptic Gregorian).
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t daysFrom1970 = std::int64_t{era} * 146097 + doe - 719468;
    const std::int64_t seconds =
        (daysFrom1970 + 134774) * 86400 + hour * 3600 + minute * 60 + second;
    return static_cast<std::uint64_t>(seconds) * 10'000'000;
}

// A property set with one section at offset 48: header, table, then the values in order.
inline std::string
propertySet(const std::vector<std::pair<std::uint32_t, std::string>>& properties) {
    std::string header =
        le(0xFFFE, 2) + le(0, 2) + le(0x00020006, 4) + std::string(16, '\0') + le(1, 4);
    header += std::string("\xE0\x85\x9F\xF2\xF9\x4F\x68\x10\xAB\x91\x08\x00\x2B\x27\xB3\xD9", 16);
    header += le(48, 4);
    std::string table;
    std::string values;
    const std::size_t tableEnd = 8 + 8 * properties.size();
    for (const auto& [id, value] : properties) {
        table += le(id, 4) + le(tableEnd + values.size(), 4);
        values += value;
    }
    return header + le(tableEnd + values.size(), 4) + le(properties.size(), 4) + table + values;
}

// Sets the process's time zone (a POSIX TZ string) for one test and puts the old one back.
class TimeZone final {
public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            m_old = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (m_old) {
            setenv("TZ", m_old->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;
    TimeZone(TimeZone&&) = delete;
    TimeZone& operator=(TimeZone&&) = delete;

private:
    std::optional<std::string> m_old;
};

inline std::span<const std::byte> bytesOf(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

// A compound file holding the given streams in its root storage.
inline void writeCompoundFile(const std::filesystem::path& path,
                              const std::vector<std::pair<std::string, std::string>>& streams) {
    GError* error = nullptr;
    GsfOutput* output = gsf_output_stdio_new(path.c_str(), &error);
    ASSERT_NE(output, nullptr) << (error != nullptr ? error->message : "");
    GsfOutfile* storage = gsf_outfile_msole_new(output);
    g_object_unref(output);
    for (const auto& [name, bytes] : streams) {
        GsfOutput* stream = gsf_outfile_new_child(storage, name.c_str(), FALSE);
        ASSERT_TRUE(
            gsf_output_write(stream, bytes.size(), reinterpret_cast<const guint8*>(bytes.data())));
        gsf_output_close(stream);
        g_object_unref(stream);
    }
    ASSERT_TRUE(gsf_output_close(GSF_OUTPUT(storage)));
    g_object_unref(storage);
}

} // namespace veskor::test
