#pragma once
// Pattern number format: "#,##0 KB", "#,## KB", " Total: #,##0 KB " and friends.
// The digit placeholders "0" (always shown) and "#" (shown when significant) form one run, which
// may hold "," to ask for a thousands separator between groups of three digits. Everything
// before and after the run is copied literally. No decimals. Zero always shows a digit: "#,## KB"
// prints "0 KB".

#include <cstdint>
#include <string>
#include <string_view>

namespace veskor {

// Formats value into pattern; thousandsSeparator is UTF-8 (may be empty or multi-byte).
std::string formatNumberPattern(std::string_view pattern, std::int64_t value,
                                std::string_view thousandsSeparator);

} // namespace veskor
