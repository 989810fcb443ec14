#include "fileinfo/core/FileInfoCommand.h"

#include "fileinfo/core/FileInfoRows.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <memory>

namespace veskor {

namespace {

// A value keeps to its line: tabs and line breaks of a hostile document become blanks.
std::string oneLine(const QString& text) {
    std::string line = text.toStdString();
    for (char& c : line) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return line;
}

// Passes mappings through and remembers whether any of them was cut short while it was read.
class WatchedFiles final : public IMappedFiles {
public:
    explicit WatchedFiles(const IMappedFiles& files) : m_files(files) {}

    [[nodiscard]] std::optional<MappedBytes> map(const std::filesystem::path& path) const override {
        std::optional<MappedBytes> mapped = m_files.map(path);
        if (!mapped) {
            return mapped;
        }
        auto inner = std::make_shared<MappedBytes>(std::move(*mapped));
        return MappedBytes(
            inner->bytes(),
            [inner, cut = m_cut]() mutable {
                if (inner->truncatedWhileRead()) {
                    *cut = true;
                }
                inner.reset();
            },
            [inner] { return inner->truncatedWhileRead(); });
    }
    [[nodiscard]] CompoundStream readCompoundStream(const std::filesystem::path& path,
                                                    const std::string& name,
                                                    std::size_t maxBytes) const override {
        return m_files.readCompoundStream(path, name, maxBytes);
    }
    [[nodiscard]] bool cutShort() const { return *m_cut; }

private:
    const IMappedFiles& m_files;
    std::shared_ptr<bool> m_cut = std::make_shared<bool>(false);
};

} // namespace

int runFileInfoCommand(const std::filesystem::path& file, const IMappedFiles& files,
                       std::ostream& out, std::ostream& err) {
    const QString path = QString::fromStdString(file.string());
    // The window lists a file's folder, so the command names it in full as well.
    const QString full = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo::exists(full)) {
        err << QCoreApplication::translate("FileInfoCommand", "veskor: Cannot open file %1")
                   .arg(QString::fromStdString(file.string()))
                   .toStdString()
            << '\n';
        return 2;
    }
    if (!files.map(full.toStdString())) {
        err << QCoreApplication::translate("FileInfoCommand", "veskor: Cannot read file %1")
                   .arg(QString::fromStdString(file.string()))
                   .toStdString()
            << '\n';
        return 1;
    }
    FileInfoFormats formats;
    formats.dateTime = isoMinuteText;
    const WatchedFiles watched(files);
    const std::vector<FileInfoRow> rows = readFileInfoRows(full, watched, formats);
    if (watched.cutShort()) {
        // Another program truncated it meanwhile: as unreadable as one that cannot be mapped.
        err << QCoreApplication::translate("FileInfoCommand", "veskor: Cannot read file %1")
                   .arg(QString::fromStdString(file.string()))
                   .toStdString()
            << '\n';
        return 1;
    }
    for (const FileInfoRow& row : rows) {
        out << oneLine(row.key) << '\t' << oneLine(row.value) << '\n';
    }
    return 0;
}

} // namespace veskor
