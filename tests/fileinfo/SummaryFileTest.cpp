// The summary of real files: compound files written by the tests, installer databases made with
// msitools, each read back by olefile as an independent reader.

#include "SummaryFiles.h"
#include "fileinfo/core/SummaryInfo.h"
#include "platform/linux/PosixMappedFile.h"
#include "support/TestSupport.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace veskor {
namespace {

using namespace veskor::test;

const PosixMappedFiles kFiles;

// The command's standard output; fails the test when it does not end well.
std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return out;
    }
    std::array<char, 4096> buffer{};
    while (std::size_t got = fread(buffer.data(), 1, buffer.size(), pipe)) {
        out.append(buffer.data(), got);
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    return out;
}

// olefile's reading of the summary: identifier -> "b <hex>", "i <number>" or "t <UTC time>".
std::map<int, std::string> olefileSummary(const TempDir& dir, const fs::path& file) {
    writeFile(dir / "read.py", R"(import datetime, olefile, sys
ole = olefile.OleFileIO(sys.argv[1])
props = ole.getproperties('\x05SummaryInformation', convert_time=True, no_conversion=[10])
for key in sorted(props):
    value = props[key]
    if isinstance(value, bytes):
        print(key, 'b', value.hex())
    elif isinstance(value, datetime.datetime):
        print(key, 't', value.strftime('%Y-%m-%d %H:%M:%S'))
    else:
        print(key, 'i', value)
)");
    std::map<int, std::string> values;
    std::istringstream lines(
        run("/usr/bin/python3 " + (dir / "read.py").string() + " " + file.string()));
    int key = 0;
    std::string rest;
    while (lines >> key && std::getline(lines, rest)) {
        values[key] = rest.substr(1);
    }
    return values;
}

QString textOf(const std::string& olefileValue) {
    EXPECT_EQ(olefileValue.substr(0, 2), "b ");
    return QString::fromUtf8(
        QByteArray::fromHex(QByteArray::fromStdString(olefileValue.substr(2))));
}

int numberOf(const std::string& olefileValue) {
    EXPECT_EQ(olefileValue.substr(0, 2), "i ");
    return std::stoi(olefileValue.substr(2));
}

QString isoSeconds(DateTime value) {
    const CivilDate date = decodeDate(value);
    const ClockTime time = decodeTime(value);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month, date.day,
                             time.hour, time.minute, time.second);
}

SummaryInfo summaryOf(const fs::path& file) {
    return readSummaryInfo(QString::fromStdString(file.string()), kFiles);
}

TEST(SummaryFile, FilesWithoutASummaryGiveTheReason) {
    const TempDir dir;
    writeFile(dir / "plain.txt", "Just some text, no compound file at all.\n");
    writeCompoundFile(dir / "other.doc", {{"Contents", std::string(600, 'x')}});
    writeCompoundFile(dir / "empty.doc", {{kSummaryStreamName, ""}});
    for (const char* name : {"plain.txt", "other.doc", "empty.doc", "missing.doc", ""}) {
        const SummaryInfo summary = summaryOf(dir / name);
        EXPECT_NE(summary.error, "") << name;
        EXPECT_EQ(summary.properties, SummaryProperties{}) << name;
    }
    EXPECT_NE(summaryOf(dir / "other.doc").error.find("no summary"), std::string::npos);
}

// A FIFO swapped in for the document between any check and the open must not block the
// reader: the path flips between the two, atomically, while it is opened again and again.
TEST(SummaryFile, ADocumentSwappedForAFifoNeverBlocks) {
    const TempDir dir;
    writeCompoundFile(dir / "real.doc",
                      {{kSummaryStreamName, propertySet({{2, textValue("Report")}})}});
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const fs::path path = dir / "swapped.doc";
    const auto outcome = runInChild(
        [&] {
            alarm(30); // a reader blocked on the FIFO ends here, and fails the test
            std::atomic<bool> done{false};
            std::thread swapper([&] {
                for (int i = 0; !done; ++i) {
                    const fs::path spare = dir / "spare";
                    ::link((dir / (i % 2 == 0 ? "pipe" : "real.doc")).c_str(), spare.c_str());
                    ::rename(spare.c_str(), path.c_str());
                }
            });
            int opened = 0;
            for (int i = 0; i < 2000; ++i) {
                opened += summaryOf(path).error.empty() ? 1 : 0;
            }
            done = true;
            swapper.join();
            return std::to_string(opened > 0);
        },
        false);
    EXPECT_EQ(outcome.value_or("blocked"), "1");
}

TEST(SummaryFile, TheSummaryStreamAmongOthers) {
    const TempDir dir;
    writeCompoundFile(
        dir / "a.doc",
        {{"Contents", std::string(5000, 'w')},
         {kSummaryStreamName, propertySet({{2, textValue("Report")},
                                           {14, int32Value(12)},
                                           {15, textValue("12")}})}}); // a text under a count
    writeCompoundFile(dir / "b.doc", {{kSummaryStreamName, propertySet({})}});

    const SummaryInfo a = summaryOf(dir / "a.doc");
    EXPECT_EQ(a.error, "");
    EXPECT_EQ(a.properties.title, "Report");
    EXPECT_EQ(a.properties.pageCount, 12);
    EXPECT_EQ(a.problems, std::vector<std::string>{"property 15: not a 32-bit integer"});
    const SummaryInfo b = summaryOf(dir / "b.doc");
    EXPECT_EQ(b.error, "");
    EXPECT_EQ(b.properties, SummaryProperties{});
    EXPECT_TRUE(b.problems.empty());
}

TEST(SummaryFile, InstallerDatabaseReadsAsOlefileReadsIt) {
    const TempDir dir;
    const fs::path msi = dir / "setup.msi";
    run("msibuild " + msi.string() +
        " -s 'Zkušební balíček' 'Jiří Novák' 'x64;1029' '{0C0FFEE0-1234-4321-ABCD-0123456789AB}'");
    const std::map<int, std::string> expected = olefileSummary(dir, msi);
    ASSERT_TRUE(expected.contains(2) && expected.contains(3) && expected.contains(14));

    const SummaryInfo summary = summaryOf(msi);
    const SummaryProperties& got = summary.properties;
    const std::map<int, const QString*> texts = {
        {2, &got.title},    {3, &got.subject},      {4, &got.author},     {5, &got.keywords},
        {6, &got.comments}, {7, &got.templateName}, {8, &got.lastAuthor}, {9, &got.revNumber}};
    for (const auto& [id, text] : texts) {
        EXPECT_EQ(*text, expected.contains(id) ? textOf(expected.at(id)) : QString()) << id;
    }
    EXPECT_EQ(got.subject, QString::fromUtf8("Zkušební balíček"));
    EXPECT_EQ(got.pageCount, numberOf(expected.at(14)));
    EXPECT_EQ(got.wordCount, expected.contains(15) ? numberOf(expected.at(15)) : 0);
    EXPECT_EQ(got.charCount, expected.contains(16) ? numberOf(expected.at(16)) : 0);
}

TEST(SummaryFile, DatesAndCodePageReadAsOlefileReadsThem) {
    const TimeZone zone("UTC0");

    const TempDir dir;
    const fs::path doc = dir / "dated.doc";
    writeCompoundFile(doc, {{kSummaryStreamName,
                             propertySet({{1, int16Value(1252)},
                                          {2, textValue("R\xE9sum\xE9")},
                                          {10, fileTimeValue(125ULL * 60 * 10'000'000)},
                                          {11, fileTimeValue(0)},
                                          {12, fileTimeValue(fileTime(2003, 4, 5, 6, 7, 8))},
                                          {13, fileTimeValue(fileTime(2024, 2, 29, 23, 59, 59))},
                                          {16, int32Value(4096)}})}});
    const std::map<int, std::string> expected = olefileSummary(dir, doc);
    const SummaryInfo summary = summaryOf(doc);
    const SummaryProperties& got = summary.properties;
    EXPECT_EQ(expected.at(1), "i 1252");
    EXPECT_EQ(got.title, QString::fromUtf8("Résumé"));
    EXPECT_EQ(QString::fromLatin1(
                  QByteArray::fromHex(QByteArray::fromStdString(expected.at(2).substr(2)))),
              got.title);
    EXPECT_EQ(got.editTime, numberOf(expected.at(10)) / 60); // olefile: seconds
    EXPECT_EQ(got.editTime, 125);
    EXPECT_EQ(got.lastPrinted, 0);
    EXPECT_EQ("t " + isoSeconds(got.created).toStdString(), expected.at(12));
    // Two-second steps: olefile keeps the odd second.
    EXPECT_EQ(isoSeconds(got.lastSaved), "2024-02-29 23:59:58");
    EXPECT_EQ(expected.at(13), "t 2024-02-29 23:59:59");
    EXPECT_EQ(got.charCount, numberOf(expected.at(16)));
}

} // namespace
} // namespace veskor
