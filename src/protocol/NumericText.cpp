#include "protocol/NumericText.h"

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
    const char* first = ascii.c_str();
    if (*first == '+')
        ++first; // from_chars does not take a plus sign
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, ascii.c_str() + ascii.size(), value);
    if (ec != std::errc() || ptr != ascii.c_str() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    if (ascii[0] == '-')
        value = -std::fabs(value); // keep the sign of "-0"
    return value;
}

QString formatDigits(double value, int intDigits, int decimals)
{
    // Round on the shortest decimal text of the double, so that a typed 0.125
    // rounds as the operator reads it, not as its binary neighbour.
    std::array<char, 512> buffer{};
    const double magnitude = std::fabs(value);
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed);
    std::string text(buffer.data(), result.ptr);
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
