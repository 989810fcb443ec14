#pragma once
// The rows the file information window and `veskor fileinfo` list for one file: its path and
// size, its version texts and, for a compound document, its summary.

#include "common/DateTime.h"
#include "fileinfo/core/SummaryInfo.h"
#include "fileinfo/core/VersionResource.h"
#include "platform/MappedFile.h"

#include <QLocale>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace veskor {

struct FileInfoRow {
    QString key;
    QString value;

    bool operator==(const FileInfoRow&) const = default;
};

// How numbers and dates read; the window uses the user's locale, the command line fixed forms.
struct FileInfoFormats {
    QString thousandsSeparator = QStringLiteral(",");
    // A day count other than 0 as text.
    std::function<QString(DateTime)> dateTime;
};

// The user's short date, followed by the long time when the time of day is not midnight.
QString localeDateTimeText(DateTime value, const QLocale& locale);
// "YYYY-MM-DD hh:mm".
QString isoMinuteText(DateTime value);

// After the last '/' (or drive colon), and up to and including it.
QString fileNamePart(const QString& path);
QString directoryPart(const QString& path);

// The version rows in the window's order; with a summary, an empty row and the summary rows
// follow. A "Last printed" of 0 (never printed) is empty.
std::vector<FileInfoRow> fileInfoRows(const QString& path, std::uint64_t size,
                                      const VersionInfo& version, const SummaryProperties* summary,
                                      const FileInfoFormats& formats);

// Reads the file's size, version resource and summary and returns its rows; a file that is not
// a compound document, or has no summary, gives the version rows only.
std::vector<FileInfoRow> readFileInfoRows(const QString& path, const IMappedFiles& files,
                                          const FileInfoFormats& formats);

} // namespace veskor
