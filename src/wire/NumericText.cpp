#include "wire/NumericText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace numeric {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Accepts [sign] digits [. digits] [e [sign] digits], with at least one mantissa digit.
bool matchesNumberShape(QStringView s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    int mantissaDigits = 0;
    while (i < n && isDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            ++i;
        int exponentDigits = 0;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '9') {
            *it = '0';
        } else {
            ++*it;
            return;
        }
    }
    digits.insert(digits.begin(), '1');
}

// Whether a text of the number shape has a magnitude below one: its first
// significant digit lies after the point once the exponent has moved it. Only
// asked for numbers beyond a double's range, so it tells underflow from overflow.
bool isBelowOne(const std::string& number)
{
    const auto exponentAt = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, exponentAt);
    const auto point = mantissa.find('.');
    const auto firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string::npos)
        return true; // zero
    // The position of the first significant digit relative to the point:
    // 1 for "5", 0 for "0.5", -1 for "0.05".
    const std::size_t pointAt = point == std::string::npos ? mantissa.size() : point;
    const long long position = firstSignificant < pointAt
                                   ? static_cast<long long>(pointAt - firstSignificant)
                                   : -static_cast<long long>(firstSignificant - pointAt - 1);
    long long exponent = 0;
    if (exponentAt != std::string::npos) {
        std::size_t i = exponentAt + 1;
        const bool negativeExponent = number[i] == '-';
        if (number[i] == '+' || number[i] == '-')
            ++i;
        // Saturates: any exponent this large decides the matter on its own.
        for (; i < number.size() && exponent < 1'000'000'000; ++i)
            exponent = exponent * 10 + (number[i] - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    return position + exponent <= 0;
}

// The decimal expansion of a finite, non-negative double from its shortest
// text that reads back as the same double ("1e23" gives "100000000000000000000000",
// not the binary value's 99999999999999991611392).
std::string shortestDecimal(double magnitude)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific);
    const std::string scientific(buffer.data(), result.ptr);
    const auto e = scientific.find('e');
    std::string digits = scientific.substr(0, e);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    // Digits before the point: the exponent plus the one leading digit.
    const int before = std::stoi(scientific.substr(e + 1)) + 1;
    if (before <= 0)
        return "0." + std::string(std::size_t(-before), '0') + digits;
    if (std::size_t(before) >= digits.size())
        return digits + std::string(std::size_t(before) - digits.size(), '0');
    return digits.substr(0, std::size_t(before)) + '.' + digits.substr(std::size_t(before));
}

} // namespace

std::optional<double> parseNumber(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QStringView body = QStringView(text).mid(begin, end - begin);
    if (!matchesNumberShape(body))
        return std::nullopt;
    const std::string ascii = body.toLatin1().toStdString();
    const bool negative = ascii[0] == '-';
    const char* first = ascii.c_str();
    if (*first == '+')
        ++first; // from_chars does not take a plus sign
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, ascii.c_str() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range && isBelowOne(ascii))
        value = 0; // underflow: a number whose value is 0, as the platform's conversion gives
    else if (ec != std::errc() || ptr != ascii.c_str() + ascii.size() || !std::isfinite(value))
        return std::nullopt; // overflow stays refused
    if (negative)
        value = -std::fabs(value); // keep the sign of "-0"
    return value;
}

QString formatDigits(double value, int intDigits, int decimals)
{
    // Round on the shortest decimal text of the double, so that a typed 0.125
    // rounds as the operator reads it, not as its binary neighbour, and a large
    // number carries the digits that were typed.
    const std::string text = shortestDecimal(std::fabs(value));
    const auto point = text.find('.');
    std::string integerPart = point == std::string::npos ? text : text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);

    const bool roundUp = fraction.size() > std::size_t(decimals) && fraction[decimals] >= '5';
    fraction.resize(decimals, '0');
    std::string digits = integerPart + fraction;
    if (roundUp)
        incrementDigits(digits);
    integerPart = digits.substr(0, digits.size() - decimals);
    fraction = digits.substr(digits.size() - decimals);

    const auto firstNonZero = integerPart.find_first_not_of('0');
    integerPart =
        firstNonZero == std::string::npos ? std::string() : integerPart.substr(firstNonZero);
    if (integerPart.size() < std::size_t(intDigits))
        integerPart.insert(0, intDigits - integerPart.size(), '0');

    const bool isZero = digits.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !isZero) ? "-" : "";
    out += integerPart;
    if (decimals > 0)
        out += '.' + fraction;
    return QString::fromLatin1(out.c_str());
}

} // namespace numeric
