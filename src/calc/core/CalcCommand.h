#pragma once
// `veskor calc [--value V] KEY...`: the calculator field and its keypad without a display.

#include "calc/core/CalcNumber.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace veskor {

// The field starts at `value` (default 0) and is focused with its whole text selected. Keys by
// their captions ("0"-"9", "00", "." or "," for the separator, "+", "-", "x", "/", "=", "C",
// "CA", "M+", "M-", "MR", "MC"), "BS" and "Esc": before the first operator they are typed into
// the field, the first operator opens the keypad, "=" or the end closes it with OK and "Esc"
// with Cancel. Prints the field's text once it has lost the focus; status 0. An unknown key, a
// key after the keypad closed or a value that is not a number: "veskor: ..." on err, status 2.
int runCalcCommand(const std::optional<std::string>& value, const std::vector<std::string>& keys,
                   const NumberSeparators& separators, std::ostream& out, std::ostream& err);

} // namespace veskor
