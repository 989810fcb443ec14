#pragma once
// `veskor calc [--value V] KEY...`: the calculator field and its keypad without a display.

#include "calc/core/CalcNumber.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace veskor {

// The field starts at `value` (default 0; "." is its decimal point in every locale, the locale's
// own separator is read too) and every key goes to the keypad, opened as Down opens it. Keys by
// their captions ("0"-"9", "00", "." or "," for the separator, "+", "-", "x", "/", "=", "C",
// "CA", "M+", "M-", "MR", "MC"), "BS" and "Esc"; "=" closes the keypad with OK, "Esc" with
// Cancel, and the end as a click outside does. After it closed, an operator opens it again with
// that operator pending, as typing it in the field does. Prints the field's text once it has
// lost the focus; status 0. An unknown key, any other key after the keypad closed or a value
// that is not a number: "veskor: ..." on err, status 2.
int runCalcCommand(const std::optional<std::string>& value, const std::vector<std::string>& keys,
                   const NumberSeparators& separators, std::ostream& out, std::ostream& err);

} // namespace veskor
