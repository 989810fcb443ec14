// The real file store on a temporary folder: atomic save, its failures, and the bounded read.

#include "platform/linux/PosixFileStore.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace veskor {
namespace {

using test::readFile;
using test::runInChild;
using test::TempDir;
using test::writeFile;
using Status = FileRead::Status;
namespace fs = std::filesystem;

std::vector<fs::path> folderContent(const fs::path& dir) {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename());
    }
    std::ranges::sort(names);
    return names;
}

// A result as text, so that a child process can hand it back.
template <typename Result> std::string code(Result result) {
    return std::to_string(static_cast<int>(result));
}

class FileStoreTest : public ::testing::Test {
protected:
    TempDir m_dir;
    fs::path m_file = m_dir / "data.sd";
    PosixFileStore m_store;
};

TEST_F(FileStoreTest, ReadGivesTheWholeFileUpToTheLimit) {
    // Longer than one read call, and not a whole number of them.
    std::string content;
    for (int i = 0; content.size() < 200'000; ++i) {
        content += std::to_string(i) + '\n';
    }
    writeFile(m_file, content);
    const FileRead whole = m_store.read(m_file, content.size());
    EXPECT_EQ(whole.status, Status::Ok);
    EXPECT_EQ(whole.bytes, content);
    const FileRead over = m_store.read(m_file, content.size() - 1);
    EXPECT_EQ(over.status, Status::TooLarge);
    EXPECT_TRUE(over.bytes.empty());

    writeFile(m_file, "");
    EXPECT_EQ(m_store.read(m_file, 0).status, Status::Ok);
}

TEST_F(FileStoreTest, HugeSparseFileIsTooLargeWithoutBeingRead) {
    // 64 GiB reported, nothing stored: a reader that trusted the size would allocate it all.
    writeFile(m_file, "");
    std::error_code ec;
    fs::resize_file(m_file, std::uintmax_t{64} << 30, ec);
    if (ec) {
        GTEST_SKIP() << "the temporary folder cannot hold a sparse file: " << ec.message();
    }
    EXPECT_EQ(m_store.read(m_file, 1024 * 1024).status, Status::TooLarge);
}

TEST_F(FileStoreTest, MissingFileOrFolderIsMissing) {
    EXPECT_EQ(m_store.read(m_file, 100).status, Status::Missing);
    EXPECT_EQ(m_store.read(m_dir / "none" / "data.sd", 100).status, Status::Missing);
    writeFile(m_dir / "plain", "x");
    EXPECT_EQ(m_store.read(m_dir / "plain" / "data.sd", 100).status, Status::Missing);
}

TEST_F(FileStoreTest, WhatIsNoReadableFileIsUnreadable) {
    fs::create_directory(m_file);
    EXPECT_EQ(m_store.read(m_file, 100).status, Status::Unreadable);
    fs::remove(m_file);

    // A FIFO must fail at once instead of waiting for a writer.
    ASSERT_EQ(mkfifo(m_file.c_str(), 0644), 0);
    EXPECT_EQ(m_store.read(m_file, 100).status, Status::Unreadable);
    fs::remove(m_file);

    writeFile(m_file, "x");
    fs::permissions(m_file, fs::perms::none);
    fs::permissions(m_dir.path(), static_cast<fs::perms>(0755));
    const auto result = runInChild([&] { return code(m_store.read(m_file, 100).status); }, true);
    if (!result) {
        GTEST_SKIP() << "running as root and cannot switch to an ordinary user";
    }
    EXPECT_EQ(*result, code(Status::Unreadable));
}

TEST_F(FileStoreTest, SaveReplacesTheFileAndLeavesNothingElse) {
    EXPECT_EQ(m_store.save(m_file, "first"), FileSave::Ok);
    const std::string second("\xff\0\r\nsecond", 10);
    EXPECT_EQ(m_store.save(m_file, second), FileSave::Ok);
    EXPECT_EQ(readFile(m_file), second);
    EXPECT_EQ(folderContent(m_dir.path()), std::vector<fs::path>{"data.sd"});
}

TEST_F(FileStoreTest, SaveKeepsModeAndOwnerOfOldFileAndUmaskOfNewOne) {
    const mode_t mask = umask(0);
    umask(mask);
    ASSERT_EQ(m_store.save(m_file, "a"), FileSave::Ok);
    EXPECT_EQ(fs::status(m_file).permissions(), static_cast<fs::perms>(0644 & ~mask));

    fs::permissions(m_file, static_cast<fs::perms>(0600));
    ASSERT_EQ(m_store.save(m_file, "b"), FileSave::Ok);
    EXPECT_EQ(fs::status(m_file).permissions(), static_cast<fs::perms>(0600));

    // Only root can hand a file to someone else, so only root can check that it stays theirs.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(m_file.c_str(), 65534, 65534), 0);
        ASSERT_EQ(m_store.save(m_file, "c"), FileSave::Ok);
        struct stat st {};
        ASSERT_EQ(stat(m_file.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534U);
        EXPECT_EQ(st.st_gid, 65534U);
    }
}

TEST_F(FileStoreTest, SaveThroughALinkReplacesTheLinkedFile) {
    const fs::path real = m_dir / "real.sd";
    writeFile(real, "old");
    fs::create_symlink(real, m_file);
    ASSERT_EQ(m_store.save(m_file, "new"), FileSave::Ok);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(m_file)));
    EXPECT_EQ(readFile(real), "new");
}

// Only a regular file is ever replaced: whatever else stands at the path stays as it was.
TEST_F(FileStoreTest, SaveRefusesWhatIsNoRegularFile) {
    const auto refused = [&](const fs::path& path, const std::string& reason) {
        struct stat before {};
        ::lstat(path.c_str(), &before);
        const SaveResult result = m_store.save(path, "x");
        EXPECT_EQ(result.status, FileSave::CannotCreate) << path;
        EXPECT_EQ(result.reason, reason) << path;
        struct stat after {};
        ::lstat(path.c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino) << path;
        EXPECT_EQ(after.st_mode, before.st_mode) << path;
    };
    ASSERT_EQ(::mkfifo((m_dir / "fifo").c_str(), 0600), 0);
    refused(m_dir / "fifo", "not a regular file");
    fs::create_symlink("/dev/null", m_dir / "device");
    refused(m_dir / "device", "not a regular file");
    fs::create_symlink(m_dir / "nowhere", m_dir / "dangling");
    refused(m_dir / "dangling", "No such file or directory");
    fs::create_symlink(m_dir / "loop", m_dir / "loop");
    refused(m_dir / "loop", "Too many levels of symbolic links");
    EXPECT_FALSE(fs::exists(m_dir / "nowhere"));
}

TEST_F(FileStoreTest, NoFolderOrAFolderInTheWayCannotCreate) {
    EXPECT_EQ(m_store.save(m_dir / "missing" / "data.sd", "x"), FileSave::CannotCreate);
    writeFile(m_dir / "plain", "x");
    EXPECT_EQ(m_store.save(m_dir / "plain" / "data.sd", "x"), FileSave::CannotCreate);

    fs::create_directory(m_file);
    writeFile(m_file / "inside", "keep");
    EXPECT_EQ(m_store.save(m_file, "x"), FileSave::CannotCreate);
    EXPECT_EQ(readFile(m_file / "inside"), "keep");
    EXPECT_EQ(folderContent(m_dir.path()), (std::vector<fs::path>{"data.sd", "plain"}));
}

TEST_F(FileStoreTest, KeptCopyOutlivesTheNextSaveAndNeverReplacesAnything) {
    const fs::path copy = m_dir / "data.sd.bak";
    EXPECT_EQ(m_store.keepCopy(m_file, copy).status, CopyResult::Status::Missing);
    writeFile(m_file, "old");
    EXPECT_EQ(m_store.keepCopy(m_file, copy).status, CopyResult::Status::Kept);
    ASSERT_TRUE(m_store.save(m_file, "new").ok());
    EXPECT_EQ(readFile(copy), "old");
    EXPECT_EQ(readFile(m_file), "new");
    EXPECT_EQ(m_store.keepCopy(m_file, copy).status, CopyResult::Status::Exists);
    EXPECT_EQ(readFile(copy), "old");

    const fs::path fifo = m_dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const CopyResult refused = m_store.keepCopy(fifo, m_dir / "fifo.bak");
    EXPECT_EQ(refused.status, CopyResult::Status::Failed);
    EXPECT_EQ(refused.reason, "not a regular file");
    EXPECT_FALSE(fs::exists(m_dir / "fifo.bak"));
}

TEST_F(FileStoreTest, ProtectedFolderOrFileKeepsTheOldFile) {
    const auto save = [&] { return code(m_store.save(m_file, "new").status); };
    writeFile(m_file, "old");

    fs::permissions(m_dir.path(), static_cast<fs::perms>(0555));
    const auto inProtectedFolder = runInChild(save, true);
    if (!inProtectedFolder) {
        GTEST_SKIP() << "running as root and cannot switch to an ordinary user";
    }
    EXPECT_EQ(*inProtectedFolder, code(FileSave::CannotCreate));
    EXPECT_EQ(readFile(m_file), "old");

    // The folder would allow the rename; the file's own protection must still hold.
    fs::permissions(m_dir.path(), static_cast<fs::perms>(0777));
    fs::permissions(m_file, static_cast<fs::perms>(0444));
    EXPECT_EQ(runInChild(save, true).value_or(""), code(FileSave::CannotCreate));
    EXPECT_EQ(readFile(m_file), "old");
    EXPECT_EQ(folderContent(m_dir.path()), std::vector<fs::path>{"data.sd"});
}

TEST_F(FileStoreTest, WriteStoppingShortKeepsTheOldFile) {
    writeFile(m_file, "old");
    // A file size limit stops the write part way, for root too; the child keeps it to itself.
    const auto result = runInChild(
        [&] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 100;
            setrlimit(RLIMIT_FSIZE, &limit);
            return code(m_store.save(m_file, std::string(1000, 'x')).status);
        },
        false);
    EXPECT_EQ(result.value_or(""), code(FileSave::WriteFailed));
    EXPECT_EQ(readFile(m_file), "old");
    EXPECT_EQ(folderContent(m_dir.path()), std::vector<fs::path>{"data.sd"});
}

} // namespace
} // namespace veskor
