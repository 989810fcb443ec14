#include "fileinfo/core/FileInfoCommand.h"

#include "fileinfo/core/FileInfoRows.h"

#include <QFileInfo>

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

} // namespace

int runFileInfoCommand(const std::filesystem::path& file, const IMappedFiles& files,
                       std::ostream& out, std::ostream& err) {
    const QString path = QString::fromStdString(file.string());
    // The window lists a file's folder, so the command names it in full as well.
    const QString full = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo::exists(full)) {
        err << "veskor: Cannot open file " << file.string() << '\n';
        return 2;
    }
    if (!files.map(full.toStdString())) {
        err << "veskor: Cannot read file " << file.string() << '\n';
        return 1;
    }
    FileInfoFormats formats;
    formats.dateTime = isoMinuteText;
    for (const FileInfoRow& row : readFileInfoRows(full, files, formats)) {
        out << oneLine(row.key) << '\t' << oneLine(row.value) << '\n';
    }
    return 0;
}

} // namespace veskor
