#pragma once
// The name-day table: 366 entries, one per day of a leap year (index 0 = 1 January,
// 59 = 29 February, 365 = 31 December). Entries are opaque Windows-1250 byte strings.

#include "common/DateTime.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veskor {

// The name-day table as the bar, the calendar and the editor hold it: an ordered list of byte
// strings with checked access, where an index outside 0..count()-1 throws
// Error("List index out of bounds (<index>)"). It starts with the built-in content.
class SaintTable {
public:
    SaintTable();
    explicit SaintTable(std::vector<std::string> items) : m_items(std::move(items)) {}

    [[nodiscard]] int count() const { return static_cast<int>(m_items.size()); }
    [[nodiscard]] const std::string& at(int index) const;
    void replace(int index, std::string text);
    void assign(std::vector<std::string> items) { m_items = std::move(items); }
    [[nodiscard]] const std::vector<std::string>& items() const { return m_items; }

private:
    std::vector<std::string> m_items;
};

// Entries with a day: one per day of a leap year; 29 February's has no day in other years.
inline constexpr int kSaintTableDays = 366;
inline constexpr int kLeapDayIndex = 59;

// The 366 built-in entries, Windows-1250 bytes.
const std::vector<std::string>& builtInSaints();

// The entry at nameDayIndex(date) - 1 (throws the list error when the table is shorter).
const std::string& saintOfDate(const SaintTable& table, DateTime date);
// The day with the given position (1..366) in year; day count 0 (30 December 1899) when the
// position is 60 and the year is not a leap year. Throws Error for a position outside 1..366.
DateTime saintPositionToDate(int position, int year);
// Index of the first entry equal to name with ASCII a-z folded to A-Z (other bytes as they are),
// whole texts compared; nullopt when none is equal.
std::optional<int> findSaintIndex(const SaintTable& table, std::string_view name);
// The date, in the reference date's year, of the first entry equal to name (as above);
// the reference date itself when no entry matches.
DateTime findSaintDate(const SaintTable& table, std::string_view name, DateTime reference);

} // namespace veskor
