#include "common/NumberPattern.h"

namespace veskor {

namespace {

bool isPlaceholder(char c) {
    return c == '0' || c == '#';
}

} // namespace

std::string formatNumberPattern(std::string_view pattern, std::int64_t value,
                                std::string_view thousandsSeparator) {
    const std::size_t begin = pattern.find_first_of("0#");
    if (begin == std::string_view::npos) {
        return std::string(pattern);
    }
    std::size_t end = begin;
    while (end < pattern.size() && (isPlaceholder(pattern[end]) || pattern[end] == ',')) {
        ++end;
    }
    // A comma after the last placeholder is punctuation of the literal text, not grouping.
    while (pattern[end - 1] == ',') {
        --end;
    }
    const std::string_view run = pattern.substr(begin, end - begin);

    bool grouped = false;
    bool forcing = false;
    std::size_t forcedDigits = 0; // every placeholder from the first "0" on shows a digit
    for (const char c : run) {
        if (c == ',') {
            grouped = true;
            continue;
        }
        forcing = forcing || c == '0';
        if (forcing) {
            ++forcedDigits;
        }
    }

    // The magnitude in unsigned arithmetic, so that the most negative value has one too.
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits;
    while (magnitude > 0) {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    }
    // Zero shows one digit even without a "0" placeholder: an empty "Page file:  KB" or " B"
    // reads as a missing value, not as none.
    if (digits.empty() && forcedDigits == 0) {
        digits = "0";
    }
    if (digits.size() < forcedDigits) {
        digits.insert(0, forcedDigits - digits.size(), '0');
    }

    std::string result(pattern.substr(0, begin));
    if (negative) {
        result += '-';
    }
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (grouped && i > 0 && (digits.size() - i) % 3 == 0) {
            result += thousandsSeparator;
        }
        result += digits[i];
    }
    result += pattern.substr(end);
    return result;
}

} // namespace veskor
