#pragma once
// The name-day table: 366 entries, one per day of a leap year (index 0 = 1 January,
// 59 = 29 February, 365 = 31 December). Entries are opaque Windows-1250 byte strings.

#include "common/DateTime.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veskor {

// An ordered list of byte strings with checked access: an index outside 0..Count()-1 throws
// Error("List index out of bounds (<index>)").
class TStrings {
public:
    TStrings() = default;
    explicit TStrings(std::vector<std::string> items) : items_(std::move(items)) {}

    [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
    [[nodiscard]] const std::string& Get(int index) const;
    void Put(int index, std::string text);
    void Assign(std::vector<std::string> items) { items_ = std::move(items); }
    [[nodiscard]] const std::vector<std::string>& Items() const { return items_; }

private:
    std::vector<std::string> items_;
};

// Holds the name-day list; starts with the built-in content.
class TStrHolder {
public:
    TStrHolder();
    TStrings Strings;
};

// The 366 built-in entries, Windows-1250 bytes.
const std::vector<std::string>& BuiltInSaints();

// The file "Veskor32.sd": lines end at CR LF, lone LF or lone CR; a NUL ends the text; a last
// line without terminator counts; a terminator at the very end adds no empty entry.
std::vector<std::string> ParseSaintFile(std::span<const std::byte> bytes);
// Every entry followed by CR LF, bytes as held.
std::string FormatSaintFile(const std::vector<std::string>& entries);

inline constexpr const char* kSaintFileName = "Veskor32.sd";

// Replaces the table by the file's lines when the file exists; a missing file changes nothing
// and returns false. A file that exists but cannot be read throws Error("Cannot open file <path>").
bool LoadSaints(TStrings& table, const std::filesystem::path& path);
// Writes a temporary file beside path and renames it over path, so that a failed save leaves
// the old file intact. Throws Error("Cannot create file <path>") when the file cannot be created
// and Error("Stream write error") when writing stops short.
void SaveSaints(const TStrings& table, const std::filesystem::path& path);

// The entry at NameDayIndex(date) - 1 (throws the list error when the table is shorter).
const std::string& SaintOfDate(const TStrings& table, TDateTime date);
// The day with the given position (1..366) in year; day count 0 (30 December 1899) when the
// position is 60 and the year is not a leap year. Throws Error for a position outside 1..366.
TDateTime SaintPositionToDate(int position, int year);
// Index of the first entry equal to name with ASCII a-z folded to A-Z (other bytes as they are),
// whole texts compared; nullopt when none is equal.
std::optional<int> FindSaintIndex(const TStrings& table, std::string_view name);
// The date, in the reference date's year, of the first entry equal to name (as above);
// the reference date itself when no entry matches.
TDateTime FindSaintDate(const TStrings& table, std::string_view name, TDateTime reference);

} // namespace veskor
