// Mapped files that another program truncates while they are read: the reader survives and is
// told, while every other bus error still kills.

#include "platform/linux/PosixMappedFile.h"
#include "support/TestSupport.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace veskor {
namespace {

namespace fs = std::filesystem;

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

class MappedFileTest : public ::testing::Test {
protected:
    // A file of `pages` pages, each byte 'a' + its page number.
    fs::path pages(const char* name, std::size_t pages) {
        std::string text;
        for (std::size_t page = 0; page < pages; ++page) {
            text.append(kPage, static_cast<char>('a' + page));
        }
        const fs::path path = m_dir.path() / name;
        test::writeFile(path, text);
        return path;
    }

    test::TempDir m_dir;
    PosixMappedFiles m_files;
};

TEST_F(MappedFileTest, PagesCutOffUnderTheReaderReadAsZerosAndAreReported) {
    std::optional<MappedBytes> cut = m_files.map(pages("cut", 4));
    const std::optional<MappedBytes> other = m_files.map(pages("other", 2));
    ASSERT_TRUE(cut && other);
    EXPECT_EQ(cut->bytes()[2 * kPage], 'c');
    EXPECT_FALSE(cut->truncatedWhileRead());

    fs::resize_file(m_dir.path() / "cut", kPage);
    EXPECT_EQ(cut->bytes()[0], 'a'); // what is left of the file still reads
    EXPECT_FALSE(cut->truncatedWhileRead());
    EXPECT_EQ(cut->bytes()[2 * kPage + 5], 0);
    EXPECT_EQ(cut->bytes()[4 * kPage - 1], 0);
    EXPECT_TRUE(cut->truncatedWhileRead());
    EXPECT_EQ(other->bytes()[kPage], 'b');
    EXPECT_FALSE(other->truncatedWhileRead());

    // The slot is free again once the bytes go: a new mapping starts unflagged.
    cut.reset();
    const std::optional<MappedBytes> again = m_files.map(m_dir.path() / "cut");
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->truncatedWhileRead());
}

TEST_F(MappedFileTest, CuttingAFileToNothingLeavesEveryPageReadable) {
    const fs::path path = pages("empty", 3);
    const std::optional<MappedBytes> mapped = m_files.map(path);
    ASSERT_TRUE(mapped);
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 0), 0);
    ::close(fd);
    for (std::size_t at = 0; at < mapped->bytes().size(); at += kPage / 2) {
        EXPECT_EQ(mapped->bytes()[at], 0) << at;
    }
    EXPECT_TRUE(mapped->truncatedWhileRead());
}

using MappedFileDeathTest = MappedFileTest;

TEST_F(MappedFileDeathTest, OtherBusErrorsStillKill) {
    // A guarded mapping exists, so the handler is in place.
    const std::optional<MappedBytes> guarded = m_files.map(pages("guarded", 1));
    ASSERT_TRUE(guarded);
    EXPECT_DEATH(::raise(SIGBUS), "");

    // A truncated mapping made without the guard.
    const fs::path path = pages("bare", 2);
    EXPECT_DEATH(
        {
            const std::optional<MappedBytes> handlerInstalled = m_files.map(path);
            const int fd = ::open(path.c_str(), O_RDWR);
            void* bare = ::mmap(nullptr, 2 * kPage, PROT_READ, MAP_PRIVATE, fd, 0);
            ::ftruncate(fd, 0);
            const volatile char byte = static_cast<const volatile char*>(bare)[kPage];
            (void)byte;
        },
        "");
}

} // namespace
} // namespace veskor
