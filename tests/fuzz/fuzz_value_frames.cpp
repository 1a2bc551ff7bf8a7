// The numeric test, the value rule and the command frames, from a typed text.
// The input is the text as UTF-8.
//
// Properties: a text the numeric test accepts gives a write frame that parses
// back (DC3, address and channel, three US, the value, the checksum over the
// body, ETX), unless its value keeps a tab, with a value field of the numeric
// shape's characters; a value typed
// without a point goes out as a whole number that reads back as the typed
// value rounded half away from zero, at least five digits; an address the
// address rule accepts is three digits from 001 to 255.
#include "FuzzCheck.h"
#include "protocol/CommandFrames.h"
#include "wire/CommandFrame.h"
#include "wire/ControlChars.h"
#include "wire/NumericText.h"

#include <QStringList>

#include <cmath>

namespace {

// The value field holds only what the numeric shape allows (a text with five
// or more characters after the point goes out as typed, blanks included), so
// no protocol control character but the tab can reach it.
bool ofNumericShape(const QString& text)
{
    for (const QChar c : text) {
        if (!QStringLiteral(" \t+-.0123456789eE").contains(c))
            return false;
    }
    return true;
}

void checkWriteFrame(const QString& typed)
{
    const QString value = wire::valueField(typed);
    FUZZ_CHECK(ofNumericShape(value));
    const QByteArray frame = wire::dc3Frame("001", "01", "12", value.toLatin1());
    // Every write the tool composes parses back into its own fields, checksum
    // right, but for one whose value keeps a typed tab: a parser takes
    // printable values only, so that is no command to it.
    const std::optional<wire::Command> parsed = wire::parseCommand(frame);
    if (value.contains(u'\t')) {
        FUZZ_CHECK(!parsed);
        return;
    }
    FUZZ_CHECK(parsed && parsed->function == wire::Function::Dc3);
    FUZZ_CHECK(parsed->address == "001" && parsed->channel == "01" && parsed->parameter == "12");
    FUZZ_CHECK(parsed->value == value.toLatin1() && wire::checksumHolds(*parsed));
    FUZZ_CHECK(parsed->checksum.size() >= 5 && wire::composeCommand(*parsed) == frame);

    if (typed.contains(u'.'))
        return;
    const double typedValue = *numeric::parseNumber(typed);
    const std::optional<double> sentValue = numeric::parseNumber(value);
    FUZZ_CHECK(sentValue.has_value());
    FUZZ_CHECK(*sentValue == std::round(typedValue));
    const QString digits = value.startsWith(u'-') ? value.mid(1) : value;
    FUZZ_CHECK(digits.size() >= 5);
    for (const QChar c : digits)
        FUZZ_CHECK(c.isDigit());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<double> number = numeric::parseNumber(typed);
    FUZZ_CHECK(numeric::isNumber(typed) == number.has_value());
    if (number) {
        FUZZ_CHECK(std::isfinite(*number));
        checkWriteFrame(typed);
    }

    const int address = frames::parseAddress(typed);
    FUZZ_CHECK(address == -1 || (address >= 1 && address <= 255));
    if (address > 0) {
        const QByteArray field = wire::addressField(address);
        FUZZ_CHECK(field.size() == 3 && field.toInt() == address);
        FUZZ_CHECK(wire::dc1Frame(field, "01") == char(ctl::DC1) + field + "01" + char(ctl::ETX));
    }
    return 0;
}
