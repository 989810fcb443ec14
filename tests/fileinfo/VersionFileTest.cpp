// Version texts of files on disk: the mapping, the component's re-reads, and real executables
// compared with an independent reader when both are on the machine.

#include "VersionImages.h"
#include "fileinfo/core/FileInfoCommand.h"
#include "fileinfo/core/FileInfoRows.h"
#include "fileinfo/core/VersionResource.h"
#include "platform/linux/PosixMappedFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace veskor {
namespace {

using namespace testimages;

class VersionFile : public ::testing::Test {
protected:
    std::filesystem::path write(const char* name, const Bytes& bytes) {
        const std::filesystem::path path = std::filesystem::path(m_dir.path().toStdString()) / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static QString q(const std::filesystem::path& path) { return QString::fromStdString(path); }

    QTemporaryDir m_dir;
    PosixMappedFiles m_files;
};

TEST_F(VersionFile, MapsRegularFilesOnly) {
    const Bytes bytes = {1, 2, 3};
    const std::optional<MappedBytes> mapped = m_files.map(write("a.bin", bytes));
    ASSERT_TRUE(mapped);
    EXPECT_TRUE(std::ranges::equal(mapped->bytes(), bytes));
    const std::optional<MappedBytes> empty = m_files.map(write("empty", {}));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->bytes().empty());
    EXPECT_FALSE(m_files.map(m_dir.path().toStdString() + "/missing"));
    EXPECT_FALSE(m_files.map(m_dir.path().toStdString()));
    // A FIFO without a writer must neither block nor be mapped.
    const std::string fifo = m_dir.path().toStdString() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(m_files.map(fifo));
    EXPECT_FALSE(m_files.map("/dev/zero"));
}

TEST_F(VersionFile, EveryAssignmentRereadsAndNotifies) {
    Version v;
    v.tables = {{u"040904E4", {{u"ProductName", u"english"}}},
                {u"040704E4", {{u"ProductName", u"deutsch"}}}};
    const std::filesystem::path exe = write("a.exe", peImage({{0x0409, versionResource(v)}}));

    VersionResource resource(m_files, q(exe)); // read at once
    EXPECT_EQ(resource.language(), Language::USEnglish);
    EXPECT_EQ(resource.characterSet(), CharacterSet::Multilingual);
    EXPECT_EQ(resource.versionInfo().productName, "english");
    int changes = 0;
    QObject::connect(&resource, &VersionResource::changed, [&] { ++changes; });
    resource.setLanguage(Language::German);
    EXPECT_EQ(resource.versionInfo().productName, "deutsch");

    // The same name again still reads the file as it is now.
    write("a.exe", peImage({{0x0409, versionResource(Version{})}}));
    resource.setFileName(q(exe));
    EXPECT_TRUE(resource.versionInfo().productName.isEmpty());
    EXPECT_EQ(resource.versionInfo().productVersion, "1.2.3.4");
    resource.setCharacterSet(CharacterSet::Unicode);
    resource.setFileName(q(exe.parent_path() / "missing.exe"));
    EXPECT_EQ(resource.versionInfo(), VersionInfo{});
    EXPECT_EQ(changes, 4);
}

// Another program cuts the file to its first page right after each time it is mapped.
class CutWhileRead final : public IMappedFiles {
public:
    explicit CutWhileRead(Bytes whole) : m_whole(std::move(whole)) {}

    [[nodiscard]] std::optional<MappedBytes> map(const std::filesystem::path& path) const override {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(m_whole.data()),
                   static_cast<std::streamsize>(m_whole.size()));
        std::optional<MappedBytes> mapped = m_files.map(path);
        std::filesystem::resize_file(path, static_cast<std::uintmax_t>(::sysconf(_SC_PAGESIZE)));
        return mapped;
    }
    [[nodiscard]] CompoundStream readCompoundStream(const std::filesystem::path& path,
                                                    const std::string& name,
                                                    std::size_t maxBytes) const override {
        return m_files.readCompoundStream(path, name, maxBytes);
    }

private:
    Bytes m_whole;
    PosixMappedFiles m_files;
};

TEST_F(VersionFile, AFileCutShortWhileReadReadsAsUnreadable) {
    // The fixed information and the first text lie in the first page, the rest beyond it.
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    Version v;
    v.tables = {{u"040904E4",
                 {{u"ProductName", u"p"},
                  {u"Comments", std::u16string(page, u'x')},
                  {u"CompanyName", u"c"}}}};
    const Bytes image = peImage({{0x0409, versionResource(v)}});
    const std::filesystem::path exe = write("cut.exe", image);
    const CutWhileRead files(image);

    const VersionResource resource(files, q(exe));
    EXPECT_EQ(resource.versionInfo(), VersionInfo{});
    EXPECT_EQ(readFileInfoRows(q(exe), files, {}), fileInfoRows(q(exe), 0, {}, nullptr, {}));

    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runFileInfoCommand(exe, files, out, err), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "veskor: Cannot read file " + exe.string() + "\n");
}

// Windows programs that Debian packages happen to ship; compared with exiftool when present.
TEST_F(VersionFile, AgreesWithExiftoolOnRealExecutables) {
    const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
    const QString launchers = QStringLiteral("/usr/lib/google-cloud-sdk/platform/bundledpythonunix/"
                                             "lib/python3.12/site-packages/pip/_vendor/distlib/");
    const QStringList files = {launchers + "t32.exe", launchers + "w64.exe"};
    if (exiftool.isEmpty() || !QFile::exists(files.front()))
        GTEST_SKIP() << "no exiftool or no Windows executable on this machine";
    const QStringList tags = {"CompanyName",    "FileDescription",  "InternalName",
                              "LegalCopyright", "OriginalFileName", "ProductName",
                              "ProductVersion", "FileVersionNumber"};
    QStringList args = {QStringLiteral("-j")};
    for (const QString& tag : tags)
        args << "-" + tag;
    for (const QString& file : files) {
        QProcess tool;
        tool.start(exiftool, args + QStringList{file});
        ASSERT_TRUE(tool.waitForFinished(30000));
        const QJsonObject want =
            QJsonDocument::fromJson(tool.readAllStandardOutput()).array().first().toObject();
        ASSERT_TRUE(want.contains("CompanyName")) << file.toStdString();
        const VersionResource resource(m_files, file);
        const VersionInfo& got = resource.versionInfo();
        EXPECT_EQ(got.companyName, want["CompanyName"].toString());
        EXPECT_EQ(got.fileDescription, want["FileDescription"].toString());
        EXPECT_EQ(got.internalName, want["InternalName"].toString());
        EXPECT_EQ(got.legalCopyright, want["LegalCopyright"].toString());
        EXPECT_EQ(got.originalFileName, want["OriginalFileName"].toString());
        EXPECT_EQ(got.productName, want["ProductName"].toString());
        EXPECT_EQ(got.productVersion, want["ProductVersion"].toVariant().toString());
        EXPECT_EQ(got.fileVersion, want["FileVersionNumber"].toString());
    }
}

} // namespace
} // namespace veskor
