#pragma once
// The calculator's numbers as text: the fixed-point and grouped patterns with the locale's
// separators, and the parse that reads them back.

#include <QString>
#include <optional>
#include <span>

namespace veskor {

struct NumberSeparators {
    QChar decimal = '.';
    QString thousands = ","; // may be empty or a non-breaking space
    // The user's locale (QLocale::system(), which follows LANG and LC_ALL).
    static NumberSeparators system();
};

// `value` with `decimals` places ("%.2f": 1234.50). Halves round away from zero on the value's
// first 15 significant digits, so 2.175 gives 2.18 although the nearest double lies below it.
// A result that rounds to zero has no sign.
QString formatFixed(double value, int decimals, const NumberSeparators& separators);
// The same with thousands separators between groups of three integer digits ("%.2n": 1,234.50).
QString formatGrouped(double value, int decimals, const NumberSeparators& separators);
// `value` rounded to `decimals` places: formatted in the fixed-point pattern and read back.
double roundToDecimals(double value, int decimals);

// An optional sign, digits with at most one decimal separator (either side may be empty, not
// both), an optional exponent; blanks around it. No thousands separators.
std::optional<double> parseNumber(const QString& text, const NumberSeparators& separators);
// What the field reads from its text: an empty text or a lone "-" is 0; nullopt when the text is
// not a number.
std::optional<double> readFieldText(const QString& text, const NumberSeparators& separators);

// A format pattern with floating arguments: "%[index:][-][width][.precision]type" with the types
// f (fixed), n (grouped), e (exponent) and g (shortest), and "%%". A specifier that does not fit
// (unknown type, missing argument) is copied as it stands.
QString formatFloatPattern(const QString& pattern, std::span<const double> arguments,
                           const NumberSeparators& separators);

} // namespace veskor
