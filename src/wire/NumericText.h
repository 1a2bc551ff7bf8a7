#pragma once

#include <QString>
#include <optional>

// Numbers as the operator types them and as the frames carry them.
namespace numeric {

// The platform's numeric test: optional surrounding blanks, an optional sign,
// digits with at most one decimal point, an optional exponent. A text whose
// number does not fit a double (1e999) is not a number.
std::optional<double> parseNumber(const QString& text);

inline bool isNumber(const QString& text)
{
    return parseNumber(text).has_value();
}

// Formats `value` with a digit pattern of `intDigits` zeros before the point and
// `decimals` after it ("0000.0" is 4, 1): every 0 is a digit that is always
// shown, more integer digits are shown in full, a negative number gets "-" in
// front, and the last digit is rounded half away from zero.
QString formatDigits(double value, int intDigits, int decimals);

} // namespace numeric
