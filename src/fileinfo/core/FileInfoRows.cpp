#include "fileinfo/core/FileInfoRows.h"

#include "common/NumberPattern.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <limits>

namespace veskor {

namespace {

QString number(std::string_view pattern, std::int64_t value, const QString& separator) {
    return QString::fromStdString(formatNumberPattern(pattern, value, separator.toStdString()));
}

qsizetype lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char(':')));
}

} // namespace

QString localeDateTimeText(DateTime value, const QLocale& locale) {
    const CivilDate date = decodeDate(value);
    const ClockTime time = decodeTime(value);
    QString text = locale.toString(QDate(date.year, date.month, date.day), QLocale::ShortFormat);
    if (time != ClockTime{}) {
        text += QLatin1Char(' ') +
                locale.toString(QTime(time.hour, time.minute, time.second), QLocale::LongFormat);
    }
    return text;
}

QString isoMinuteText(DateTime value) {
    const CivilDate date = decodeDate(value);
    const ClockTime time = decodeTime(value);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d", date.year, date.month, date.day, time.hour,
                             time.minute);
}

QString fileNamePart(const QString& path) {
    return path.mid(lastSeparator(path) + 1);
}

QString directoryPart(const QString& path) {
    return path.left(lastSeparator(path) + 1);
}

std::vector<FileInfoRow> fileInfoRows(const QString& path, std::uint64_t size,
                                      const VersionInfo& version, const SummaryProperties* summary,
                                      const FileInfoFormats& formats) {
    const auto size64 = static_cast<std::int64_t>(
        std::min<std::uint64_t>(size, std::numeric_limits<std::int64_t>::max()));
    std::vector<FileInfoRow> rows = {
        {QT_TRANSLATE_NOOP("FileInfoRows", "Comment"), version.comment},
        {QT_TRANSLATE_NOOP("FileInfoRows", "File Description"), version.fileDescription},
        {QT_TRANSLATE_NOOP("FileInfoRows", "File OS"), version.fileOS},
        {QT_TRANSLATE_NOOP("FileInfoRows", "File Path"), directoryPart(path)},
        {QT_TRANSLATE_NOOP("FileInfoRows", "File Size"),
         number("#,## B", size64, formats.thousandsSeparator)},
        {QT_TRANSLATE_NOOP("FileInfoRows", "File Type"), version.fileType},
        {QT_TRANSLATE_NOOP("FileInfoRows", "File SubType"), version.fileSubType},
        {QT_TRANSLATE_NOOP("FileInfoRows", "File version"), version.fileVersion},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Private Build"), version.privateBuild},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Original FileName"), version.originalFileName},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Special Build"), version.specialBuild},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Internal Name"), version.internalName},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Company Name"), version.companyName},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Legal Copyright"), version.legalCopyright},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Legal TradeMarks"), version.legalTradeMarks},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Product Name"), version.productName},
        {QT_TRANSLATE_NOOP("FileInfoRows", "Product Version"), version.productVersion},
    };
    if (summary == nullptr) {
        return rows;
    }
    const SummaryProperties& s = *summary;
    const QString& separator = formats.thousandsSeparator;
    const QString printed =
        s.lastPrinted != 0 && formats.dateTime ? formats.dateTime(s.lastPrinted) : QString();
    rows.insert(rows.end(), {
                                {QString(), QString()},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Title"), s.title},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Subject"), s.subject},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Author"), s.author},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Keywords"), s.keywords},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Comments"), s.comments},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Template"), s.templateName},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Last author"), s.lastAuthor},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Revision number"), s.revNumber},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Edit time"),
                                 QString::number(s.editTime) + " min"},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Last printed"), printed},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Page count"),
                                 number("#,##", s.pageCount, separator)},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Word count"),
                                 number("#,##", s.wordCount, separator)},
                                {QT_TRANSLATE_NOOP("FileInfoRows", "Char count"),
                                 number("#,##", s.charCount, separator)},
                            });
    return rows;
}

std::vector<FileInfoRow> readFileInfoRows(const QString& path, const IMappedFiles& files,
                                          const FileInfoFormats& formats) {
    std::uint64_t size = 0;
    VersionInfo version;
    if (const std::optional<MappedBytes> mapped = files.map(path.toStdString())) {
        version = readVersionInfo(mapped->bytes(), Language::USEnglish, CharacterSet::Multilingual);
        if (mapped->truncatedWhileRead()) {
            // Cut short under the reader: the rows of a file that cannot be read.
            return fileInfoRows(path, 0, {}, nullptr, formats);
        }
        size = mapped->bytes().size();
    }
    // Not a compound document, or one without a summary: the version rows alone.
    const SummaryInfo summary = readSummaryInfo(path, files);
    return fileInfoRows(path, size, version, summary.error.empty() ? &summary.properties : nullptr,
                        formats);
}

} // namespace veskor
