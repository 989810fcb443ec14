#include "common/Cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace veskor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of the bytes 0x80 to 0xFF; U+FFFD marks the five undefined bytes.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

using ReverseEntry = std::pair<char16_t, unsigned char>;

constexpr std::array<ReverseEntry, 128> makeReverse() {
    std::array<ReverseEntry, 128> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table.at(i) = {kHighHalf.at(i), static_cast<unsigned char>(0x80 + i)};
    }
    std::sort(table.begin(), table.end());
    return table;
}

// Code point to byte, sorted for binary search.
constexpr std::array<ReverseEntry, 128> kReverse = makeReverse();

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<char> byteOf(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<char>(cp);
    }
    if (cp == kReplacement || cp > 0xFFFF) {
        return std::nullopt;
    }
    const auto key = static_cast<char16_t>(cp);
    const auto* it = std::lower_bound(
        kReverse.begin(), kReverse.end(), key,
        [](const ReverseEntry& entry, char16_t value) { return entry.first < value; });
    if (it == kReverse.end() || it->first != key) {
        return std::nullopt;
    }
    return static_cast<char>(it->second);
}

// Decodes one UTF-8 sequence at bytes[pos]; on malformed input returns U+FFFD and the length of
// the longest valid-looking prefix (at least 1), so each broken sequence becomes one '?'.
std::pair<char32_t, std::size_t> decodeOne(std::string_view bytes, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t cp = 0;
    // The allowed range of the second byte excludes overlong forms, surrogates and
    // code points above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0FU;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07U;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {kReplacement, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= bytes.size()) {
            return {kReplacement, i};
        }
        const auto c = static_cast<unsigned char>(bytes[pos + i]);
        if (c < low || c > high) {
            return {kReplacement, i};
        }
        low = 0x80;
        high = 0xBF;
        cp = (cp << 6) | (c & 0x3FU);
    }
    return {cp, length};
}

} // namespace

std::string cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(out, byte < 0x80 ? char32_t{byte} : char32_t{kHighHalf.at(byte - 0x80U)});
    }
    return out;
}

std::string cp1250ToPrintable(std::string_view bytes, std::size_t maxChars) {
    const bool cut = bytes.size() > maxChars;
    if (cut) {
        bytes = bytes.substr(0, maxChars);
    }
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr std::string_view kHex = "0123456789abcdef";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            appendUtf8(out, byte < 0x80 ? char32_t{byte} : char32_t{kHighHalf.at(byte - 0x80U)});
        }
    }
    if (cut) {
        out += "\u2026";
    }
    return out;
}

std::string utf8ToCp1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto [cp, length] = decodeOne(utf8, pos);
        out += byteOf(cp).value_or('?');
        pos += length;
    }
    return out;
}

std::optional<std::string> utf8ToCp1250Strict(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto [cp, length] = decodeOne(utf8, pos);
        const std::optional<char> byte = byteOf(cp);
        if (!byte) {
            return std::nullopt;
        }
        out += *byte;
        pos += length;
    }
    return out;
}

} // namespace veskor
