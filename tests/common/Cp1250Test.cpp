#include "common/Cp1250.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <iconv.h>
#include <optional>
#include <string>

namespace {

using veskor::cp1250ToUtf8;
using veskor::utf8ToCp1250;
using veskor::utf8ToCp1250Strict;

// glibc's converter as the outside reference; nullopt when it cannot convert the text.
class Iconv final {
public:
    Iconv(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Iconv() {
        if (m_handle != invalid()) {
            iconv_close(m_handle);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    [[nodiscard]] bool ok() const { return m_handle != invalid(); }

    std::optional<std::string> operator()(const std::string& in) {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        std::string input = in;
        std::string output(in.size() * 4 + 4, '\0');
        char* inPtr = input.data();
        std::size_t inLeft = input.size();
        char* outPtr = output.data();
        std::size_t outLeft = output.size();
        if (iconv(m_handle, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        output.resize(output.size() - outLeft);
        return output;
    }

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); } // NOLINT
    iconv_t m_handle;
};

std::string utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

TEST(Cp1250, EveryByteDecodesAsIconvDoes) {
    Iconv toUtf8("UTF-8", "CP1250");
    ASSERT_TRUE(toUtf8.ok());
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::optional<std::string> expected = toUtf8(byte);
        if (expected) {
            EXPECT_EQ(cp1250ToUtf8(byte), *expected) << "byte " << b;
            // And back to the same byte.
            EXPECT_EQ(utf8ToCp1250(*expected), byte) << "byte " << b;
        } else {
            ++undefined;
            EXPECT_EQ(cp1250ToUtf8(byte), "\uFFFD") << "byte " << b;
        }
    }
    EXPECT_EQ(undefined, 5);
}

TEST(Cp1250, EveryBmpCharacterEncodesAsIconvDoes) {
    Iconv fromUtf8("CP1250", "UTF-8");
    ASSERT_TRUE(fromUtf8.ok());
    for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        const std::string utf8 = utf8Of(cp);
        const std::optional<std::string> expected = fromUtf8(utf8);
        ASSERT_EQ(utf8ToCp1250(utf8), expected.value_or("?"))
            << "U+" << std::hex << static_cast<std::uint32_t>(cp);
        ASSERT_EQ(utf8ToCp1250Strict(utf8), expected)
            << "U+" << std::hex << static_cast<std::uint32_t>(cp);
    }
}

TEST(Cp1250, CzechNamesRoundTrip) {
    const std::string utf8 = "Čeněk, Řehoř, Ludmila Šťastná, Žofie, Ďáblová, Ťuk, Ůl";
    const std::string bytes = utf8ToCp1250(utf8);
    std::size_t characters = 0;
    for (const char c : utf8) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    EXPECT_EQ(bytes.size(), characters);
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    EXPECT_EQ(cp1250ToUtf8(bytes), utf8);
    EXPECT_EQ(utf8ToCp1250Strict(utf8), bytes);
    EXPECT_EQ(utf8ToCp1250("Čeněk"), "\xC8"
                                     "en\xEC"
                                     "k");
    EXPECT_EQ(cp1250ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1250, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1250("\u00F1"), "?");              // n with tilde: not in this code page
    EXPECT_EQ(utf8ToCp1250("\U0001F600 ok"), "? ok");    // outside the BMP: one mark
    EXPECT_EQ(utf8ToCp1250("\uFFFD"), "?");              // the undefined bytes do not come back
    EXPECT_EQ(utf8ToCp1250("a\xC3"), "a?");              // cut short at the end
    EXPECT_EQ(utf8ToCp1250("a\xC3(b"), "a?(b");          // cut short before ASCII
    EXPECT_EQ(utf8ToCp1250("\xE2\x82"), "?");            // a truncated three-byte form is one mark
    EXPECT_EQ(utf8ToCp1250("\xC0\xAF"), "??");           // overlong
    EXPECT_EQ(utf8ToCp1250("\xED\xA0\x80"), "???");      // surrogate
    EXPECT_EQ(utf8ToCp1250("\xF4\x90\x80\x80"), "????"); // above U+10FFFF
    EXPECT_EQ(utf8ToCp1250("\x80\xBF"), "??");           // stray continuation bytes
    EXPECT_EQ(utf8ToCp1250("\xFF"), "?");
    EXPECT_EQ(utf8ToCp1250(""), "");
}

TEST(Cp1250, StrictRefusesWhatWouldBecomeAQuestionMark) {
    EXPECT_EQ(utf8ToCp1250Strict("\u20ACuro"), "\x80uro");
    for (const char* text : {"\u20ACuro\u2603", "\U0001F600", "\uFFFD", "a\xC3", "\xC0\xAF",
                             "\xED\xA0\x80", "\x80", "\xFF"}) {
        EXPECT_EQ(utf8ToCp1250Strict(text), std::nullopt) << text;
    }
    EXPECT_EQ(utf8ToCp1250Strict("?"), "?");
    EXPECT_EQ(utf8ToCp1250Strict(""), "");
}

} // namespace
