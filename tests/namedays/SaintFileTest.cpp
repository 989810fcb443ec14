// The name-day file's format, and the messages its reading and saving give, on in-memory files.

#include "namedays/core/SaintFile.h"

#include "common/Error.h"
#include "platform/fake/FakeFileStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace veskor {
namespace {

using test::cp1250;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

Lines parse(std::string_view text) {
    return parseSaintFile(std::as_bytes(std::span(text.data(), text.size())));
}

using test::errorOf;

TEST(ParseSaintFile, LineEndsAndEmptyLines) {
    const Lines abc{"a", "b", "c"};
    EXPECT_EQ(parse("a\r\nb\r\nc\r\n"), abc);
    EXPECT_EQ(parse("a\nb\nc\n"), abc);
    EXPECT_EQ(parse("a\rb\rc\r"), abc);
    EXPECT_EQ(parse("a\nb\r\nc"), abc); // mixed ends, last line unterminated
    EXPECT_EQ(parse("a\r\n\r\nc"), (Lines{"a", "", "c"}));
    EXPECT_EQ(parse("\n\r"), (Lines{"", ""}));     // LF, then a lone CR
    EXPECT_EQ(parse("a\r\r\n"), (Lines{"a", ""})); // lone CR, then CR LF
    EXPECT_EQ(parse("\r\n"), (Lines{""}));
    EXPECT_EQ(parse(""), Lines{});
}

TEST(ParseSaintFile, NulEndsTheTextAndBytesStayAsTheyAre) {
    using namespace std::string_view_literals;
    EXPECT_EQ(parse("a\r\nb\0c\r\nd\r\n"sv), (Lines{"a", "b"}));
    EXPECT_EQ(parse("a\r\0\nb"sv), (Lines{"a"}));
    EXPECT_EQ(parse("\0a\r\n"sv), Lines{});
    const std::string raw = " \t\xff\x80 x \t";
    EXPECT_EQ(parse(raw + "\r\n" + raw), (Lines{raw, raw}));
}

TEST(FormatSaintFile, EveryEntryEndsInCrLfAndParsesBack) {
    EXPECT_EQ(formatSaintFile({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(formatSaintFile({}), "");
    EXPECT_EQ(parse(formatSaintFile(builtInSaints())), builtInSaints());
}

class SaintFileStore : public ::testing::Test {
protected:
    FakeFileStore m_files;
    fs::path m_file = fs::path("/data") / kSaintFileName;
    SaintTable m_holder;
};

TEST_F(SaintFileStore, MissingFileChangesNothing) {
    m_holder.replace(0, "edited");
    EXPECT_FALSE(loadSaints(m_holder, m_files, m_file));
    EXPECT_EQ(m_holder.count(), 366);
    EXPECT_EQ(m_holder.at(0), "edited");
}

TEST_F(SaintFileStore, FileReplacesTheTableWhateverItsLength) {
    m_files.files[m_file] = cp1250("Nový rok\r\nKarina\r\nRadmila\r\n");
    ASSERT_TRUE(loadSaints(m_holder, m_files, m_file));
    EXPECT_EQ(m_holder.items(), Lines(builtInSaints().begin(), builtInSaints().begin() + 3));

    m_files.files[m_file] = "";
    ASSERT_TRUE(loadSaints(m_holder, m_files, m_file));
    EXPECT_EQ(m_holder.count(), 0);
}

TEST_F(SaintFileStore, SaveWritesTheFormattedTableAndLoadReadsItBack) {
    Lines edited = builtInSaints();
    edited[0] = "";
    edited[1] = std::string("\xff\x01 a/b ", 7);
    edited.emplace_back("extra");
    saveSaints(SaintTable(edited), m_files, m_file);
    EXPECT_EQ(m_files.saves, std::vector<fs::path>{m_file});
    EXPECT_EQ(m_files.files[m_file], formatSaintFile(edited));
    ASSERT_TRUE(loadSaints(m_holder, m_files, m_file));
    EXPECT_EQ(m_holder.items(), edited);
}

TEST_F(SaintFileStore, UnreadableOrOversizedFileFailsWithItsFullPathAndKeepsTheTable) {
    const std::string cannotOpen = "Cannot open file " + m_file.string();
    m_files.files[m_file] = "x\r\n";
    m_files.unreadable.insert(m_file);
    EXPECT_EQ(errorOf([&] { loadSaints(m_holder, m_files, m_file); }),
              cannotOpen + ": Permission denied");
    m_files.unreadable.clear();

    // Exactly the limit is still a name-day file; one byte more is not.
    std::string atLimit(kSaintFileMaxBytes, 'a');
    atLimit[kSaintFileMaxBytes - 2] = '\r';
    atLimit[kSaintFileMaxBytes - 1] = '\n';
    m_files.files[m_file] = atLimit + "b";
    EXPECT_EQ(errorOf([&] { loadSaints(m_holder, m_files, m_file); }),
              cannotOpen + ": larger than " + std::to_string(kSaintFileMaxBytes) + " bytes");
    EXPECT_EQ(m_holder.items(), builtInSaints());
    m_files.files[m_file] = atLimit;
    EXPECT_EQ(errorOf([&] { loadSaints(m_holder, m_files, m_file); }), "no error");
    EXPECT_EQ(m_holder.count(), 1);

    // A relative path is reported in full.
    const fs::path relative = fs::path("namedays") / kSaintFileName;
    m_files.files[relative] = "x\r\n";
    m_files.unreadable.insert(relative);
    EXPECT_EQ(errorOf([&] { loadSaints(m_holder, m_files, relative); }),
              "Cannot open file " + (fs::current_path() / relative).string() +
                  ": Permission denied");
}

TEST_F(SaintFileStore, EachSaveFaultHasItsMessage) {
    const std::string cannotCreate =
        "Cannot create file " + m_file.string() + ": Permission denied";
    const auto save = [&] { return errorOf([&] { saveSaints(m_holder, m_files, m_file); }); };
    m_files.noPermission = true;
    EXPECT_EQ(save(), cannotCreate);
    m_files.noPermission = false;
    m_files.renameFails = true;
    EXPECT_EQ(save(), cannotCreate);
    m_files.renameFails = false;
    m_files.diskFull = true;
    EXPECT_EQ(save(), "Stream write error: No space left on device");
}

} // namespace
} // namespace veskor
