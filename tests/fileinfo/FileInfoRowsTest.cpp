// The rows of the file information window and of `veskor fileinfo`: their order, number and
// date formats, and the command's output and statuses.

#include "fileinfo/core/FileInfoRows.h"

#include "SummaryFiles.h"
#include "fileinfo/core/FileInfoCommand.h"
#include "platform/linux/PosixMappedFile.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace veskor {
namespace {

using namespace veskor::test;

const QStringList kVersionKeys = {
    "Comment",       "File Description", "File OS",      "File Path",       "File Size",
    "File Type",     "File SubType",     "File version", "Private Build",   "Original FileName",
    "Special Build", "Internal Name",    "Company Name", "Legal Copyright", "Legal TradeMarks",
    "Product Name",  "Product Version"};
const QStringList kSummaryKeys = {
    "",           "Title",       "Subject",         "Author",    "Keywords",     "Comments",
    "Template",   "Last author", "Revision number", "Edit time", "Last printed", "Page count",
    "Word count", "Char count"};

QStringList keysOf(const std::vector<FileInfoRow>& rows) {
    QStringList keys;
    for (const FileInfoRow& row : rows) {
        keys.append(row.key);
    }
    return keys;
}

QString valueOf(const std::vector<FileInfoRow>& rows, const QString& key) {
    for (const FileInfoRow& row : rows) {
        if (row.key == key) {
            return row.value;
        }
    }
    ADD_FAILURE() << "no row " << key.toStdString();
    return {};
}

TEST(FileInfoRows, VersionRowsThenSummaryRowsInTheWindowsOrder) {
    VersionInfo version;
    version.comment = "c";
    version.fileOS = "os";
    version.fileSubType = "sub";
    version.productVersion = "1.2";
    FileInfoFormats formats;
    formats.dateTime = [](DateTime value) { return QString::number(value); };

    const auto plain = fileInfoRows("/usr/bin/tool.exe", 1234567, version, nullptr, formats);
    EXPECT_EQ(keysOf(plain), kVersionKeys);
    EXPECT_EQ(plain.at(0).value, "c");
    EXPECT_EQ(plain.at(2).value, "os");
    EXPECT_EQ(plain.at(3).value, "/usr/bin/");
    EXPECT_EQ(plain.at(4).value, "1,234,567 B");
    EXPECT_EQ(plain.at(6).value, "sub");
    EXPECT_EQ(plain.at(16).value, "1.2");

    SummaryProperties summary;
    summary.title = "T";
    summary.revNumber = "R";
    summary.editTime = 90;
    summary.lastPrinted = 36526.5;
    summary.pageCount = 1234;
    summary.charCount = 1234567;
    formats.thousandsSeparator = ".";
    const auto withSummary = fileInfoRows("C:tool.exe", 0, version, &summary, formats);
    EXPECT_EQ(keysOf(withSummary), kVersionKeys + kSummaryKeys);
    EXPECT_EQ(withSummary.at(17), FileInfoRow{});
    EXPECT_EQ(valueOf(withSummary, "File Path"), "C:");
    EXPECT_EQ(valueOf(withSummary, "File Size"), "0 B");
    EXPECT_EQ(valueOf(withSummary, "Title"), "T");
    EXPECT_EQ(valueOf(withSummary, "Revision number"), "R");
    EXPECT_EQ(valueOf(withSummary, "Edit time"), "90 min");
    EXPECT_EQ(valueOf(withSummary, "Last printed"), "36526.5");
    EXPECT_EQ(valueOf(withSummary, "Page count"), "1.234");
    EXPECT_EQ(valueOf(withSummary, "Word count"), "0");
    EXPECT_EQ(valueOf(withSummary, "Char count"), "1.234.567");

    summary.lastPrinted = 0; // never printed: empty, not 30 December 1899
    EXPECT_EQ(valueOf(fileInfoRows("a", 0, version, &summary, formats), "Last printed"), "");
}

TEST(FileInfoRows, NamesAndDates) {
    EXPECT_EQ(fileNamePart("/home/u/a.b.exe"), "a.b.exe");
    EXPECT_EQ(directoryPart("/home/u/a.b.exe"), "/home/u/");
    EXPECT_EQ(fileNamePart("C:setup.exe"), "setup.exe");
    EXPECT_EQ(fileNamePart("plain"), "plain");
    EXPECT_EQ(directoryPart("plain"), "");

    const DateTime morning = encodeDateTime({2024, 3, 9}, {7, 5, 3, 0});
    EXPECT_EQ(isoMinuteText(morning), "2024-03-09 07:05");
    const QLocale c = QLocale::c();
    EXPECT_EQ(localeDateTimeText(morning, c), c.toString(QDate(2024, 3, 9), QLocale::ShortFormat) +
                                                  " " +
                                                  c.toString(QTime(7, 5, 3), QLocale::LongFormat));
    // Midnight: the date alone.
    EXPECT_EQ(localeDateTimeText(encodeDate(2024, 3, 9), c),
              c.toString(QDate(2024, 3, 9), QLocale::ShortFormat));
}

struct CommandRun {
    int status = 0;
    std::string out;
    std::string err;
};

CommandRun fileinfo(const fs::path& file) {
    const PosixMappedFiles files;
    std::ostringstream out;
    std::ostringstream err;
    const int status = runFileInfoCommand(file, files, out, err);
    return {status, out.str(), err.str()};
}

TEST(FileInfoCommand, PrintsOneRowPerLine) {
    const TempDir dir;
    writeFile(dir / "notes.txt", std::string(2048, 'n'));
    const CommandRun plain = fileinfo(dir / "notes.txt");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.err, "");
    std::istringstream lines(plain.out);
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);) {
        got.push_back(line);
    }
    ASSERT_EQ(got.size(), 17U);
    EXPECT_EQ(got.at(0), "Comment\t");
    EXPECT_EQ(got.at(3), "File Path\t" + dir.path().string() + "/");
    EXPECT_EQ(got.at(4), "File Size\t2,048 B");

    const std::uint64_t printed = fileTime(2020, 6, 15, 12, 0, 0);
    writeCompoundFile(dir / "report.doc",
                      {{kSummaryStreamName, propertySet({{2, textValue("Line\none\tand")},
                                                         {11, fileTimeValue(printed)}})}});
    const CommandRun doc = fileinfo(dir / "report.doc");
    EXPECT_EQ(doc.status, 0);
    const std::string separatorAndTitle = "Product Version\t\n\t\nTitle\tLine one and\n";
    EXPECT_NE(doc.out.find(separatorAndTitle), std::string::npos) << doc.out;
    const DateTime local = fileTimeToDateTime(printed, systemLocalTime);
    EXPECT_NE(doc.out.find("Last printed\t" + isoMinuteText(local).toStdString() + "\n"),
              std::string::npos)
        << doc.out;
    EXPECT_TRUE(doc.out.ends_with("Char count\t0\n"));
}

TEST(FileInfoCommand, MissingAndUnreadableFiles) {
    const TempDir dir;
    const CommandRun missing = fileinfo(dir / "gone.exe");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "veskor: Cannot open file " + (dir / "gone.exe").string() + "\n");

    const CommandRun folder = fileinfo(dir.path());
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.out, "");
    EXPECT_EQ(std::count(folder.err.begin(), folder.err.end(), '\n'), 1);

    writeFile(dir / "empty", "");
    const CommandRun empty = fileinfo(dir / "empty");
    EXPECT_EQ(empty.status, 0);
    EXPECT_NE(empty.out.find("File Size\t0 B\n"), std::string::npos);
}

} // namespace
} // namespace veskor
