#include "namedays/core/SaintTable.h"

#include "common/DateUtils.h"
#include "common/Error.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace veskor {

namespace {

[[noreturn]] void ListIndexError(int index) {
    throw Error(FormatMessage("List index out of bounds (%d)", index));
}

// Days per month in the table's leap-year order.
constexpr std::array<int, 12> kTableMonthDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kTableDays = 366;

// Only ASCII letters fold: the stored names are Windows-1250, and their accented capitals must
// stay distinct from the small letters, exactly as the search always behaved.
constexpr char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualFolded(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

} // namespace

const std::string& TStrings::Get(int index) const {
    if (index < 0 || index >= Count()) {
        ListIndexError(index);
    }
    return items_[static_cast<std::size_t>(index)];
}

void TStrings::Put(int index, std::string text) {
    if (index < 0 || index >= Count()) {
        ListIndexError(index);
    }
    items_[static_cast<std::size_t>(index)] = std::move(text);
}

TStrHolder::TStrHolder() : Strings(BuiltInSaints()) {}

const std::string& SaintOfDate(const TStrings& table, TDateTime date) {
    return table.Get(NameDayIndex(date) - 1);
}

TDateTime SaintPositionToDate(int position, int year) {
    if (position < 1 || position > kTableDays) {
        throw Error("Invalid argument to date encode");
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
    if (month == 2 && day == 29 && !IsLeapYear(year)) {
        return 0.0;
    }
    return EncodeDate(year, month, day);
}

std::optional<int> FindSaintIndex(const TStrings& table, std::string_view name) {
    const auto& items = table.Items();
    const auto found = std::ranges::find_if(
        items, [name](const std::string& entry) { return EqualFolded(entry, name); });
    if (found == items.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - items.begin());
}

TDateTime FindSaintDate(const TStrings& table, std::string_view name, TDateTime reference) {
    const std::optional<int> index = FindSaintIndex(table, name);
    // Entries past the last day of the year (a long file) have no date.
    if (!index || *index >= kTableDays) {
        return reference;
    }
    return SaintPositionToDate(*index + 1, DecodeDate(reference).year);
}

} // namespace veskor
