#include "bar/core/StatusTexts.h"

#include "common/Cp1250.h"
#include "common/DateUtils.h"
#include "common/Error.h"
#include "common/NumberPattern.h"

#include <QCoreApplication>

namespace veskor {

namespace {

constexpr std::uint64_t kKb = 1024;

// Length in bytes of the UTF-8 sequence that starts with lead.
std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 1;
}

std::string formatKb(const QString& pattern, std::uint64_t bytes, const LocaleFormat& locale) {
    return formatNumberPattern(pattern.toStdString(), static_cast<std::int64_t>(bytes / kKb),
                               locale.thousandsSeparator);
}

} // namespace

std::string weekdayAbbreviation(DateTime date, const LocaleFormat& locale) {
    const std::string name = formatDateTime("dddd", date, locale);
    std::string result;
    std::size_t pos = 0;
    for (int chars = 0; chars < 2 && pos < name.size(); ++chars) {
        const std::size_t len =
            std::min(utf8Length(static_cast<unsigned char>(name[pos])), name.size() - pos);
        result.append(name, pos, len);
        pos += len;
    }
    if (!result.empty() && result[0] >= 'a' && result[0] <= 'z') {
        result[0] = static_cast<char>(result[0] - 'a' + 'A');
    }
    return result;
}

DateRowTexts computeDateRow(DateTime now, const SaintTable& saints, const LocaleFormat& locale) {
    DateRowTexts texts;
    const int doy = dayOfYear(now);
    texts.date = weekdayAbbreviation(now, locale) + ", " + formatDateTime("d.m. yyyy", now, locale);
    texts.dateHint = QCoreApplication::translate("StatusTexts", " Day of year: %1 \r\n Week: %2 ")
                         .arg(doy)
                         .arg(weekOfYear(now))
                         .toStdString();
    texts.time = formatDateTime("hh:mm:ss", now, locale);
    // Today's name first, as the cell shows it before tomorrow's is looked up.
    try {
        texts.saint = cp1250ToUtf8(saintOfDate(saints, now));
        texts.tomorrow = cp1250ToUtf8(saintOfDate(saints, now + 1));
        texts.saintHint = QCoreApplication::translate("StatusTexts", " Tomorrow saint: %1 ")
                              .arg(QString::fromStdString(*texts.tomorrow))
                              .toStdString();
    } catch (const Error& e) {
        texts.error = e.what();
    }
    return texts;
}

MemRowTexts computeMemRow(const MemoryStatus& status, const LocaleFormat& locale) {
    MemRowTexts texts;
    const std::uint32_t load = status.memoryLoad > 100 ? 100 : status.memoryLoad;
    texts.freeShare = std::to_string(100 - load) + "%";
    texts.freePhysical = formatKb(QStringLiteral("#,##0 KB"), status.availPhys, locale);
    texts.freePhysicalHint = formatKb(
        QCoreApplication::translate("StatusTexts", " Free physical memory \r\nTotal: #,##0 KB"),
        status.totalPhys, locale);
    texts.freeSwap = formatKb(QStringLiteral(" #,##0 KB "), status.availPageFile, locale);
    texts.freeSwapHint = formatKb(
        QCoreApplication::translate("StatusTexts", " Free page file \r\n Total: #,##0 KB "),
        status.totalPageFile, locale);
    return texts;
}

} // namespace veskor
