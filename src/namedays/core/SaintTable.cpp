#include "namedays/core/SaintTable.h"

#include "common/DateUtils.h"
#include "common/Error.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cstddef>

namespace veskor {

namespace {

[[noreturn]] void listIndexError(int index) {
    throw Error(QCoreApplication::translate("SaintTable", "List index out of bounds (%1)")
                    .arg(index)
                    .toStdString());
}

// Days per month in the table's leap-year order.
constexpr std::array<int, 12> kTableMonthDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Only ASCII letters fold: the stored names are Windows-1250, and their accented capitals must
// stay distinct from the small letters, exactly as the search always behaved.
constexpr char foldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalFolded(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return foldAscii(x) == foldAscii(y); });
}

} // namespace

const std::string& SaintTable::at(int index) const {
    if (index < 0 || index >= count()) {
        listIndexError(index);
    }
    return m_items[static_cast<std::size_t>(index)];
}

void SaintTable::replace(int index, std::string text) {
    if (index < 0 || index >= count()) {
        listIndexError(index);
    }
    m_items[static_cast<std::size_t>(index)] = std::move(text);
}

SaintTable::SaintTable() : m_items(builtInSaints()) {}

const std::string& saintOfDate(const SaintTable& table, DateTime date) {
    return table.at(nameDayIndex(date) - 1);
}

DateTime saintPositionToDate(int position, int year) {
    if (position < 1 || position > kSaintTableDays) {
        throw Error(QCoreApplication::translate("DateTime", "Invalid argument to date encode")
                        .toStdString());
    }
    int day = position;
    int month = 1;
    for (const int days : kTableMonthDays) {
        if (day <= days) {
            break;
        }
        day -= days;
        ++month;
    }
    // 29 February of a common year has no date; day 0 stands for "no day".
    if (month == 2 && day == 29 && !isLeapYear(year)) {
        return 0.0;
    }
    return encodeDate(year, month, day);
}

std::optional<int> findSaintIndex(const SaintTable& table, std::string_view name) {
    const auto& items = table.items();
    const auto found = std::ranges::find_if(
        items, [name](const std::string& entry) { return equalFolded(entry, name); });
    if (found == items.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - items.begin());
}

DateTime findSaintDate(const SaintTable& table, std::string_view name, DateTime reference) {
    const std::optional<int> index = findSaintIndex(table, name);
    // Entries past the last day of the year (a long file) have no date.
    if (!index || *index >= kSaintTableDays) {
        return reference;
    }
    return saintPositionToDate(*index + 1, decodeDate(reference).year);
}

} // namespace veskor
