#include "fileinfo/core/VersionResource.h"

#include "VersionImages.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

using namespace testimages;

const std::vector<std::pair<std::u16string, std::u16string>> kAllStrings = {
    {u"Comment", u"note"},
    {u"CompanyName", u"Orvane"},
    {u"FileDescription", u"Bar"},
    {u"InternalName", u"bar"},
    {u"LegalCopyright", u"(c) \u0159"},
    {u"LegalTradeMarks", u"tm"},
    {u"OriginalFileName", u"bar.exe"},
    {u"PrivateBuild", u"pb"},
    {u"ProductName", u"Veskor"},
    {u"ProductVersion", u"5.0 beta"},
    {u"SpecialBuild", u"sb"},
    {u"FileVersion", u"never read"},
};

Version withTable(std::u16string key, decltype(kAllStrings) strings = kAllStrings) {
    Version v;
    v.tables.push_back({std::move(key), std::move(strings)});
    return v;
}

int filled(const VersionInfo& info) {
    int count = 0;
    for (const QString* text :
         {&info.comment, &info.companyName, &info.fileDescription, &info.fileVersion,
          &info.internalName, &info.legalCopyright, &info.legalTradeMarks, &info.originalFileName,
          &info.privateBuild, &info.productName, &info.productVersion, &info.specialBuild,
          &info.fileOS, &info.fileType, &info.fileSubType})
        count += text->isEmpty() ? 0 : 1;
    return count;
}

VersionReading readDefault(const Bytes& image) {
    return readVersionResource(image, Language::USEnglish, CharacterSet::Multilingual);
}

// Exact-size copies, so that the sanitizer sees any read past the end.
VersionReading readPrefix(const Bytes& image, std::size_t length) {
    const Bytes cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length));
    return readDefault(cut);
}

TEST(VersionResource, KeysOfLanguagesAndCodePages) {
    EXPECT_EQ(languageId(Language::Arabic), 0x0401);
    EXPECT_EQ(languageId(Language::USEnglish), 0x0409);
    EXPECT_EQ(languageId(Language::Bahasa), 0x0421);
    EXPECT_EQ(languageId(Language::SimplifiedChinese), 0x0804);
    EXPECT_EQ(languageId(Language::SerboCroatian), 0x081A);
    EXPECT_EQ(languageId(Language::SwissFrench), 0x100C);
    EXPECT_EQ(codePage(CharacterSet::Ascii), 0);
    EXPECT_EQ(codePage(CharacterSet::Taiwan), 950);
    EXPECT_EQ(codePage(CharacterSet::Unicode), 1200);
    EXPECT_EQ(codePage(CharacterSet::Arabic), 1256);
}

// The tables' edges: combined flags, the gaps in the numbering, and subtypes only for drivers
// and fonts.
TEST(VersionResource, FixedInformationTexts) {
    EXPECT_EQ(fileOSText(0x00040004), "Windows NT with 32 bit Windows");
    EXPECT_EQ(fileOSText(0x00010001), "Windows 3.0 or later with MS-Dos");
    EXPECT_EQ(fileOSText(0x00040001), "Unknown");
    EXPECT_EQ(fileOSText(0), "Unknown");
    EXPECT_EQ(fileTypeText(7), "Static-Link Library");
    EXPECT_EQ(fileTypeText(6), "Unknown");
    EXPECT_EQ(fileSubTypeText(3, 10), "Communications");
    EXPECT_EQ(fileSubTypeText(3, 11), "Unknown");
    EXPECT_EQ(fileSubTypeText(4, 3), "TrueType");
    EXPECT_EQ(fileSubTypeText(4, 0), "Unknown");
    EXPECT_TRUE(fileSubTypeText(2, 1).isEmpty());
}

TEST(VersionResource, ReadsEveryTextFromPe32AndPe32Plus) {
    Version v = withTable(u"040904E4");
    v.fileType = 3;
    v.fileSubType = 2;
    for (const bool plus : {false, true}) {
        const VersionReading r = readDefault(peImage({{0x0409, versionResource(v)}}, {plus}));
        EXPECT_EQ(r.format, plus ? ImageFormat::Pe32Plus : ImageFormat::Pe32);
        EXPECT_FALSE(r.usedFallbackTable);
        EXPECT_EQ(r.tableKey, 0x040904E4U);
        VersionInfo want{"note",
                         "Orvane",
                         "Bar",
                         "4.0.1381.1",
                         "bar",
                         "(c) ř",
                         "tm",
                         "bar.exe",
                         "pb",
                         "Veskor",
                         "5.0 beta",
                         "sb",
                         "Windows NT with 32 bit Windows",
                         "Device Driver",
                         "Keyboard"};
        EXPECT_EQ(r.info, want);
    }
}

TEST(VersionResource, ProductVersionFromFixedInformationWithoutItsString) {
    const VersionInfo info =
        readDefault(peImage({{0x0409, versionResource(withTable(u"040904E4", {}))}})).info;
    EXPECT_EQ(info.productVersion, "1.2.3.4");
    EXPECT_EQ(info.fileVersion, "4.0.1381.1");
    EXPECT_TRUE(info.companyName.isEmpty());
}

TEST(VersionResource, KeysMatchWithoutRegardToCase) {
    Version v = withTable(u"040904e4", {{u"LegalTrademarks", u"tm"},
                                        {u"OriginalFilename", u"a.exe"},
                                        {u"COMPANYNAME", u"Big"},
                                        {u"Comments", u"plural"}});
    const VersionReading r = readDefault(peImage({{0x0409, versionResource(v)}}));
    EXPECT_FALSE(r.usedFallbackTable);
    EXPECT_EQ(r.info.legalTradeMarks, "tm");
    EXPECT_EQ(r.info.originalFileName, "a.exe");
    EXPECT_EQ(r.info.companyName, "Big");
    EXPECT_EQ(r.info.comment, "plural");
}

TEST(VersionResource, SingularCommentWinsAndValuesEndAtTheirFirstNul) {
    Version v = withTable(u"040904E4", {{u"Comments", u"plural"},
                                        {u"Comment", u"single"},
                                        {u"ProductName", std::u16string(u"abc\0def", 7)}});
    const VersionInfo info = readDefault(peImage({{0x0409, versionResource(v)}})).info;
    EXPECT_EQ(info.comment, "single");
    EXPECT_EQ(info.productName, "abc");
}

TEST(VersionResource, TableOfAnotherLanguage) {
    Version v = withTable(u"040704E4", {{u"CompanyName", u"Firma"}});
    const Bytes image = peImage({{0x0407, versionResource(v)}});
    const VersionReading german =
        readVersionResource(image, Language::German, CharacterSet::Multilingual);
    EXPECT_FALSE(german.usedFallbackTable);
    EXPECT_EQ(german.info.companyName, "Firma");
    // Another selection falls back to the only table rather than showing nothing.
    const VersionReading english = readDefault(image);
    EXPECT_TRUE(english.usedFallbackTable);
    EXPECT_EQ(english.tableKey, 0x040704E4U);
    EXPECT_EQ(english.info.companyName, "Firma");
}

TEST(VersionResource, FallbackFollowsTheTranslationList) {
    Version v;
    v.tables = {{u"040504E2", {{u"CompanyName", u"first"}}},
                {u"040904B0", {{u"CompanyName", u"listed"}}}};
    v.translations = {0x040904B0};
    EXPECT_EQ(readDefault(peImage({{0x0409, versionResource(v)}})).info.companyName, "listed");
    v.translations = {0x041D04B0}; // listed, but no such table
    EXPECT_EQ(readDefault(peImage({{0x0409, versionResource(v)}})).info.companyName, "first");
}

TEST(VersionResource, ResourceOfTheChosenLanguageIsPreferred) {
    const Bytes image =
        peImage({{0x0405, versionResource(withTable(u"040504E2", {{u"ProductName", u"cs"}}))},
                 {0x0407, versionResource(withTable(u"040704E4", {{u"ProductName", u"de"}}))}});
    EXPECT_EQ(readVersionInfo(image, Language::German, CharacterSet::Multilingual).productName,
              "de");
    EXPECT_EQ(readVersionInfo(image, Language::French, CharacterSet::Multilingual).productName,
              "cs");
}

TEST(VersionResource, NothingWithoutAResource) {
    const VersionReading none = readDefault(peImage({}, {.withResource = false}));
    EXPECT_EQ(none.format, ImageFormat::Pe32);
    EXPECT_FALSE(none.hasResource);
    EXPECT_EQ(none.info, VersionInfo{});
    const Bytes elf = {0x7F, 'E', 'L', 'F', 2, 1, 1, 0};
    EXPECT_EQ(readDefault(elf).format, ImageFormat::Unknown);
    // A bad signature hides the string tables too.
    Bytes bad = versionResource(withTable(u"040904E4"));
    bad[40] ^= 0xFF;
    const VersionReading unsigned_ = readDefault(peImage({{0x0409, bad}}));
    EXPECT_TRUE(unsigned_.hasResource);
    EXPECT_FALSE(unsigned_.hasFixedInfo);
    EXPECT_EQ(unsigned_.info, VersionInfo{});
}

// Every prefix reads without a fault, and a longer prefix never shows less.
void expectGrowingTexts(const Bytes& image, const VersionInfo& full) {
    int before = 0;
    for (std::size_t length = 0; length <= image.size(); ++length) {
        const VersionInfo info = readPrefix(image, length).info;
        const int now = filled(info);
        EXPECT_GE(now, before) << length;
        before = now;
    }
    EXPECT_EQ(before, filled(full));
}

TEST(VersionResource, TruncatedImagesKeepWhatCouldBeRead) {
    auto strings = kAllStrings;
    strings.pop_back();
    for (const bool plus : {false, true}) {
        const Bytes image =
            peImage({{0x0409, versionResource(withTable(u"040904E4", strings))}}, {plus});
        const VersionInfo full = readDefault(image).info;
        expectGrowingTexts(image, full);
        // Cut right before the last string: the fixed texts and every earlier string remain.
        VersionInfo part = readPrefix(image, image.size() - 40).info;
        EXPECT_TRUE(part.specialBuild.isEmpty());
        part.specialBuild = full.specialBuild;
        EXPECT_EQ(part, full);
    }
}

TEST(VersionResource, LyingSizesStayInsideTheImage) {
    const Bytes good = peImage({{0x0409, versionResource(withTable(u"040904E4"))}});
    const std::size_t resourceSection = kHeadersSize;
    const std::size_t dataEntry = resourceSection + 80 + 8;
    const std::size_t data = resourceSection + 80 + 8 + 16;
    const auto patched = [&](std::size_t at, std::uint32_t value, bool wide32 = true) {
        Bytes b = good;
        wide32 ? put32(b, at, value) : put16(b, at, value);
        return readDefault(b);
    };
    // A data size past the section, a root length past the data: everything still read.
    EXPECT_EQ(patched(dataEntry + 4, 0xFFFFFFF0).info.productName, "Veskor");
    EXPECT_EQ(patched(data, 0xFFFF, false).info.productName, "Veskor");
    // Offsets and counts that point nowhere.
    EXPECT_FALSE(patched(dataEntry, 0xFFFFFFF0).hasResource);
    EXPECT_FALSE(patched(resourceSection + 20, 0x80000000U | 0xFFFFFF00).hasResource);
    EXPECT_EQ(patched(kPeHeader + 6, 0xFFFF, false).info.productName, "Veskor");
    EXPECT_FALSE(patched(kPeHeader + 6, 0, false).hasResource);
    EXPECT_FALSE(patched(0x3C, 0xFFFFFFFF).hasResource);
    EXPECT_EQ(patched(resourceSection + 14, 0xFFFF, false).info.fileVersion, "4.0.1381.1");
    // A block length of zero ends the walk instead of looping.
    const std::size_t stringFileInfo = data + 92;
    const VersionReading stuck = patched(stringFileInfo, 0, false);
    EXPECT_TRUE(stuck.hasFixedInfo);
    EXPECT_EQ(stuck.info.companyName, "");
}

TEST(VersionResource, SixteenBitImages) {
    Version v = withTable(u"040504E2", {{u"CompanyName", u"\xE8\x9A"}, {u"ProductName", u"X"}});
    v.fileOS = 0x00010001;
    const Bytes image = neImage(versionResource(v, false));
    const VersionReading r = readDefault(image);
    EXPECT_EQ(r.format, ImageFormat::Ne);
    EXPECT_TRUE(r.usedFallbackTable);
    EXPECT_EQ(r.info.companyName, "\u010D\u0161"); // Windows-1250 bytes
    EXPECT_EQ(r.info.fileOS, "Windows 3.0 or later with MS-Dos");
    EXPECT_EQ(r.info.fileVersion, "4.0.1381.1");
    const Version western = withTable(u"040904E4", {{u"CompanyName", u"\x80\xE9"}});
    EXPECT_EQ(readDefault(neImage(versionResource(western, false))).info.companyName,
              "\u20AC\u00E9");
    expectGrowingTexts(image, r.info);
    Bytes wideShift = image;
    put16(wideShift, kNeTable, 64);
    EXPECT_FALSE(readDefault(wideShift).hasResource);
}

} // namespace
} // namespace veskor
