#pragma once
// Windows-1250 (Central European) single-byte text to and from UTF-8. The name-day table keeps
// its entries as Windows-1250 bytes; only display and input convert.

#include <optional>
#include <string>
#include <string_view>

namespace veskor {

// Every byte maps to a character; the five bytes that Windows-1250 leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) become U+FFFD.
std::string cp1250ToUtf8(std::string_view bytes);
// For a terminal or a message: cp1250ToUtf8 with every control character (below 0x20, and DEL)
// written as "\xHH", and cut after maxChars characters with "…" when longer.
std::string cp1250ToPrintable(std::string_view bytes,
                              std::size_t maxChars = std::string_view::npos);
// Characters without a Windows-1250 byte, and malformed UTF-8, become '?'.
std::string utf8ToCp1250(std::string_view utf8);
// nullopt when any character has no Windows-1250 byte or the UTF-8 is malformed: for searches,
// where a '?' would match entries the text never named.
std::optional<std::string> utf8ToCp1250Strict(std::string_view utf8);

} // namespace veskor
