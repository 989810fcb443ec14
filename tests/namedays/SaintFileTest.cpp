#include "common/Error.h"
#include "namedays/core/SaintTable.h"
#include "support/TestSupport.h"

#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace veskor {
namespace {

using test::Cp1250;
using test::ReadFile;
using test::RunInChild;
using test::TempDir;
using test::WriteFile;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

Lines Parse(std::string_view text) {
    return ParseSaintFile(std::as_bytes(std::span(text.data(), text.size())));
}

// The error text of an operation, or "no error".
template <typename F> std::string ErrorOf(F&& operation) {
    try {
        operation();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

std::vector<fs::path> FolderContent(const fs::path& dir) {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename());
    }
    return names;
}

TEST(ParseSaintFile, LineEndsAndEmptyLines) {
    using namespace std::string_view_literals;
    const Lines abc{"a", "b", "c"};
    EXPECT_EQ(Parse("a\r\nb\r\nc\r\n"), abc);
    EXPECT_EQ(Parse("a\nb\nc\n"), abc);
    EXPECT_EQ(Parse("a\rb\rc\r"), abc);
    EXPECT_EQ(Parse("a\nb\r\nc"), abc); // mixed ends, last line unterminated
    EXPECT_EQ(Parse("a\r\n\r\nc"), (Lines{"a", "", "c"}));
    EXPECT_EQ(Parse("\n\r"), (Lines{"", ""}));     // LF, then a lone CR
    EXPECT_EQ(Parse("a\r\r\n"), (Lines{"a", ""})); // lone CR, then CR LF
    EXPECT_EQ(Parse("\r\n"), (Lines{""}));
    EXPECT_EQ(Parse(""), Lines{});
}

TEST(ParseSaintFile, NulEndsTheTextAndBytesStayAsTheyAre) {
    using namespace std::string_view_literals;
    EXPECT_EQ(Parse("a\r\nb\0c\r\nd\r\n"sv), (Lines{"a", "b"}));
    EXPECT_EQ(Parse("a\r\0\nb"sv), (Lines{"a"}));
    EXPECT_EQ(Parse("\0a\r\n"sv), Lines{});
    const std::string raw = " \t\xff\x80 x \t";
    EXPECT_EQ(Parse(raw + "\r\n" + raw), (Lines{raw, raw}));
}

TEST(FormatSaintFile, EveryEntryEndsInCrLfAndParsesBack) {
    EXPECT_EQ(FormatSaintFile({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(FormatSaintFile({}), "");
    const std::string text = FormatSaintFile(BuiltInSaints());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 366);
    EXPECT_EQ(Parse(text), BuiltInSaints());
}

class SaintFileIo : public ::testing::Test {
protected:
    TempDir dir_;
    fs::path file_ = dir_ / kSaintFileName;
    TStrHolder holder_;
};

TEST_F(SaintFileIo, MissingFileChangesNothing) {
    holder_.Strings.Put(0, "edited");
    EXPECT_FALSE(LoadSaints(holder_.Strings, file_));
    WriteFile(dir_ / "plain", "x");
    EXPECT_FALSE(LoadSaints(holder_.Strings, dir_ / "plain" / kSaintFileName));
    EXPECT_EQ(holder_.Strings.Count(), 366);
    EXPECT_EQ(holder_.Strings.Get(0), "edited");
}

TEST_F(SaintFileIo, FileReplacesTheTableWhateverItsLength) {
    WriteFile(file_, Cp1250("Nový rok\r\nKarina\r\nRadmila\r\n"));
    ASSERT_TRUE(LoadSaints(holder_.Strings, file_));
    EXPECT_EQ(holder_.Strings.Items(), Lines(BuiltInSaints().begin(), BuiltInSaints().begin() + 3));

    WriteFile(file_, "");
    ASSERT_TRUE(LoadSaints(holder_.Strings, file_));
    EXPECT_EQ(holder_.Strings.Count(), 0);
}

TEST_F(SaintFileIo, LfFileLoadsLikeCrLfAndSavesAsCrLf) {
    std::string lf;
    for (const std::string& saint : BuiltInSaints()) {
        lf += saint + "\n";
    }
    WriteFile(file_, lf);
    TStrings table;
    ASSERT_TRUE(LoadSaints(table, file_));
    EXPECT_EQ(table.Items(), BuiltInSaints());
    SaveSaints(table, file_);
    EXPECT_EQ(ReadFile(file_), FormatSaintFile(BuiltInSaints()));
}

TEST_F(SaintFileIo, SaveAndLoadGiveTheSameTable) {
    holder_.Strings.Put(0, "");
    holder_.Strings.Put(1, std::string("\xff\x01 a/b ", 7));
    std::vector<std::string> longer = holder_.Strings.Items();
    longer.emplace_back("extra");
    const TStrings saved(longer);
    SaveSaints(saved, file_);
    SaveSaints(saved, file_); // replacing an existing file too
    TStrings loaded;
    ASSERT_TRUE(LoadSaints(loaded, file_));
    EXPECT_EQ(loaded.Items(), longer);
    EXPECT_EQ(FolderContent(dir_.Path()), std::vector<fs::path>{kSaintFileName});
}

TEST_F(SaintFileIo, SaveKeepsModeAndOwnerOfOldFileAndUmaskOfNewOne) {
    const mode_t mask = umask(0);
    umask(mask);
    SaveSaints(holder_.Strings, file_);
    EXPECT_EQ(fs::status(file_).permissions(), static_cast<fs::perms>(0644 & ~mask));

    fs::permissions(file_, static_cast<fs::perms>(0600));
    SaveSaints(holder_.Strings, file_);
    EXPECT_EQ(fs::status(file_).permissions(), static_cast<fs::perms>(0600));

    // Only root can hand a file to someone else, so only root can check that it stays theirs.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(file_.c_str(), 65534, 65534), 0);
        SaveSaints(holder_.Strings, file_);
        struct stat st {};
        ASSERT_EQ(stat(file_.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534U);
        EXPECT_EQ(st.st_gid, 65534U);
    }
}

TEST_F(SaintFileIo, SaveThroughALinkReplacesTheLinkedFile) {
    const fs::path real = dir_ / "real.sd";
    WriteFile(real, "old\r\n");
    fs::create_symlink(real, file_);
    SaveSaints(holder_.Strings, file_);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(file_)));
    EXPECT_EQ(ReadFile(real), FormatSaintFile(BuiltInSaints()));
}

TEST_F(SaintFileIo, UnreadableFileFailsWithItsFullPath) {
    const std::string expected = "Cannot open file " + file_.string();

    fs::create_directory(file_);
    EXPECT_EQ(ErrorOf([&] { LoadSaints(holder_.Strings, file_); }), expected);
    fs::remove(file_);

    // A FIFO must fail at once instead of waiting for a writer.
    ASSERT_EQ(mkfifo(file_.c_str(), 0644), 0);
    EXPECT_EQ(ErrorOf([&] { LoadSaints(holder_.Strings, file_); }), expected);
    fs::remove(file_);
    EXPECT_EQ(holder_.Strings.Items(), BuiltInSaints());

    WriteFile(file_, "x\r\n");
    fs::permissions(file_, fs::perms::none);
    fs::permissions(dir_.Path(), static_cast<fs::perms>(0755));
    const auto message = RunInChild(
        [&] {
            TStrings table;
            return ErrorOf([&] { LoadSaints(table, file_); });
        },
        true);
    if (!message) {
        GTEST_SKIP() << "running as root and cannot switch to an ordinary user";
    }
    EXPECT_EQ(*message, expected);
}

TEST_F(SaintFileIo, MissingFolderFailsToCreate) {
    const fs::path missing = dir_ / "missing" / kSaintFileName;
    EXPECT_EQ(ErrorOf([&] { SaveSaints(holder_.Strings, missing); }),
              "Cannot create file " + missing.string());
    WriteFile(dir_ / "plain", "x");
    const fs::path underFile = dir_ / "plain" / kSaintFileName;
    EXPECT_EQ(ErrorOf([&] { SaveSaints(holder_.Strings, underFile); }),
              "Cannot create file " + underFile.string());

    // A relative path is reported in full.
    const fs::path relative = fs::path("namedays-no-such-folder") / kSaintFileName;
    EXPECT_EQ(ErrorOf([&] { SaveSaints(holder_.Strings, relative); }),
              "Cannot create file " + (fs::current_path() / relative).string());
}

TEST_F(SaintFileIo, FolderAtThePathStaysAndNoTempFileRemains) {
    fs::create_directory(file_);
    WriteFile(file_ / "inside", "keep");
    EXPECT_EQ(ErrorOf([&] { SaveSaints(holder_.Strings, file_); }),
              "Cannot create file " + file_.string());
    EXPECT_EQ(ReadFile(file_ / "inside"), "keep");
    EXPECT_EQ(FolderContent(dir_.Path()), std::vector<fs::path>{kSaintFileName});
}

TEST_F(SaintFileIo, ProtectedFolderOrFileKeepsTheOldFile) {
    const std::string old = "old\r\n";
    const std::string expected = "Cannot create file " + file_.string();
    const auto save = [&] { return ErrorOf([&] { SaveSaints(holder_.Strings, file_); }); };

    WriteFile(file_, old);
    fs::permissions(dir_.Path(), static_cast<fs::perms>(0555));
    const auto folderMessage = RunInChild(save, true);
    if (!folderMessage) {
        GTEST_SKIP() << "running as root and cannot switch to an ordinary user";
    }
    EXPECT_EQ(*folderMessage, expected);
    EXPECT_EQ(ReadFile(file_), old);

    fs::permissions(dir_.Path(), static_cast<fs::perms>(0777));
    fs::permissions(file_, static_cast<fs::perms>(0444));
    EXPECT_EQ(RunInChild(save, true).value_or(""), expected);
    EXPECT_EQ(ReadFile(file_), old);
    EXPECT_EQ(FolderContent(dir_.Path()), std::vector<fs::path>{kSaintFileName});
}

TEST_F(SaintFileIo, WriteStoppingShortKeepsTheOldFile) {
    const std::string old = "old\r\n";
    WriteFile(file_, old);
    // A file size limit stops the write part way, for root too; the child keeps it to itself.
    const auto message = RunInChild(
        [&] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 100;
            setrlimit(RLIMIT_FSIZE, &limit);
            return ErrorOf([&] { SaveSaints(holder_.Strings, file_); });
        },
        false);
    EXPECT_EQ(message.value_or(""), "Stream write error");
    EXPECT_EQ(ReadFile(file_), old);
    EXPECT_EQ(FolderContent(dir_.Path()), std::vector<fs::path>{kSaintFileName});
}

} // namespace
} // namespace veskor
