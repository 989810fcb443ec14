#include "calc/core/CalcNumber.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <string>

namespace veskor {

namespace {

// A double's trustworthy decimal digits; rounding looks at no more, so binary noise such as
// 2.17499999999999982236431605997495353221893310546875 for 2.175 stays out of the result.
constexpr int kSignificantDigits = 15;

struct DecimalText {
    bool negative = false;
    std::string integer;  // at least one digit
    std::string fraction; // exactly the places asked for
};

// Adds one to a string of decimal digits, growing it on a carry out of the first digit.
void increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

DecimalText toDecimal(double value, int decimals) {
    DecimalText text;
    if (!std::isfinite(value)) {
        value = 0;
    }
    decimals = std::max(decimals, 0);
    char buffer[64];
    // d.dddddddddddddde+XX: the digits and the power of ten of the first one.
    const auto written = std::to_chars(std::begin(buffer), std::end(buffer), std::fabs(value),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const std::string scientific(std::begin(buffer), written.ptr);
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::stoi(scientific.substr(e + 1));

    // `scaled` holds the value times 10^decimals, rounded to an integer.
    const int keep = exponent + 1 + decimals;
    std::string scaled;
    bool roundUp = false;
    if (keep >= static_cast<int>(digits.size())) {
        scaled = digits + std::string(static_cast<std::size_t>(keep) - digits.size(), '0');
    } else if (keep >= 0) {
        scaled = digits.substr(0, static_cast<std::size_t>(keep));
        roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    }
    if (roundUp) {
        increment(scaled);
    }
    const auto places = static_cast<std::size_t>(decimals);
    if (scaled.size() < places + 1) {
        scaled.insert(0, places + 1 - scaled.size(), '0');
    }
    text.integer = scaled.substr(0, scaled.size() - places);
    text.integer.erase(0, std::min(text.integer.find_first_not_of('0'), text.integer.size() - 1));
    text.fraction = scaled.substr(scaled.size() - places);
    text.negative = value < 0 && scaled.find_first_not_of('0') != std::string::npos;
    return text;
}

QString compose(const DecimalText& text, const QString& thousands, QChar decimal) {
    QString result;
    if (text.negative) {
        result += '-';
    }
    const auto length = text.integer.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0) {
            result += thousands;
        }
        result += QChar(text.integer[i]);
    }
    if (!text.fraction.empty()) {
        result += decimal;
        result +=
            QString::fromLatin1(text.fraction.data(), static_cast<qsizetype>(text.fraction.size()));
    }
    return result;
}

// Shortest ('g') or exponent ('e') form through the C library's locale-free conversion.
QString formatScientific(double value, char type, int precision,
                         const NumberSeparators& separators) {
    char buffer[400];
    const auto written =
        type == 'e' ? std::to_chars(std::begin(buffer), std::end(buffer), value,
                                    std::chars_format::scientific, std::max(precision - 1, 0))
                    : std::to_chars(std::begin(buffer), std::end(buffer), value,
                                    std::chars_format::general, std::max(precision, 1));
    QString text = QString::fromLatin1(buffer, written.ptr - std::begin(buffer));
    text.replace('.', separators.decimal);
    return text;
}

} // namespace

NumberSeparators NumberSeparators::system() {
    const QLocale locale = QLocale::system();
    NumberSeparators separators;
    const QString point = locale.decimalPoint();
    separators.decimal = point.isEmpty() ? QChar('.') : point.front();
    separators.thousands = locale.groupSeparator();
    return separators;
}

QString formatFixed(double value, int decimals, const NumberSeparators& separators) {
    return compose(toDecimal(value, decimals), QString(), separators.decimal);
}

QString formatGrouped(double value, int decimals, const NumberSeparators& separators) {
    return compose(toDecimal(value, decimals), separators.thousands, separators.decimal);
}

double roundToDecimals(double value, int decimals) {
    const NumberSeparators plain;
    return parseNumber(formatFixed(value, decimals, plain), plain).value_or(0);
}

std::optional<double> parseNumber(const QString& text, const NumberSeparators& separators) {
    const QString trimmed = text.trimmed();
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(trimmed.size()));
    for (const QChar c : trimmed) {
        if (c == separators.decimal) {
            ascii += '.';
        } else if (c.unicode() < 128 && QStringLiteral("0123456789+-eE").contains(c)) {
            ascii += static_cast<char>(c.unicode());
        } else {
            return std::nullopt;
        }
    }
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    if (first != last && *first == '+' && (last - first < 2 || first[1] != '-')) {
        ++first;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> readFieldText(const QString& text, const NumberSeparators& separators) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == "-") {
        return 0.0;
    }
    return parseNumber(trimmed, separators);
}

QString formatFloatPattern(const QString& pattern, std::span<const double> arguments,
                           const NumberSeparators& separators) {
    QString result;
    std::size_t nextArgument = 0;
    qsizetype i = 0;
    const auto readNumber = [&pattern, &i]() -> std::optional<int> {
        const qsizetype start = i;
        int number = 0;
        while (i < pattern.size() && pattern[i].isDigit() && number < 1000) {
            number = number * 10 + pattern[i].digitValue();
            ++i;
        }
        return i > start ? std::optional<int>(number) : std::nullopt;
    };
    while (i < pattern.size()) {
        if (pattern[i] != '%') {
            result += pattern[i++];
            continue;
        }
        const qsizetype start = i++;
        if (i < pattern.size() && pattern[i] == '%') {
            result += '%';
            ++i;
            continue;
        }
        std::size_t index = nextArgument;
        std::optional<int> width = readNumber();
        if (width && i < pattern.size() && pattern[i] == ':') {
            index = static_cast<std::size_t>(*width);
            ++i;
            width.reset();
        }
        bool leftJustify = false;
        if (!width && i < pattern.size() && pattern[i] == '-') {
            leftJustify = true;
            ++i;
        }
        if (!width) {
            width = readNumber();
        }
        std::optional<int> precision;
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            precision = readNumber().value_or(0);
        }
        const char type = i < pattern.size() ? pattern[i].toLower().toLatin1() : '\0';
        if (index >= arguments.size() ||
            (type != 'f' && type != 'n' && type != 'e' && type != 'g')) {
            result += pattern.mid(start, i - start);
            continue;
        }
        ++i;
        const double value = arguments[index];
        nextArgument = index + 1;
        QString field;
        if (type == 'f') {
            field = formatFixed(value, precision.value_or(2), separators);
        } else if (type == 'n') {
            field = formatGrouped(value, precision.value_or(2), separators);
        } else {
            field =
                formatScientific(value, type, precision.value_or(kSignificantDigits), separators);
        }
        const qsizetype pad = width.value_or(0) - field.size();
        if (pad > 0) {
            field = leftJustify ? field + QString(pad, ' ') : QString(pad, ' ') + field;
        }
        result += field;
    }
    return result;
}

} // namespace veskor
