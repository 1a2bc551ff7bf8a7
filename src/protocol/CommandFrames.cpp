#include "protocol/CommandFrames.h"

#include "catalogue/FunctionList.h"
#include "catalogue/ParameterList.h"
#include "protocol/ControlChars.h"
#include "protocol/NumericText.h"

#include <cmath>
#include <cstdint>

namespace frames {

namespace {

// Patterns "0000.0", "000.00", "00.000", "0.0000" by the number of decimals.
constexpr int kIntegerDigitsForDecimals[] = {5, 4, 3, 2, 1};

} // namespace

QString valueText(const QString& boxText)
{
    const double value = numeric::parseNumber(boxText).value_or(0.0);
    const qsizetype point = boxText.indexOf(u'.');
    if (point < 0)
        return numeric::formatDigits(value, 5, 0);
    // Everything after the first point counts, an exponent included: 1.5e3 has n = 3.
    const qsizetype n = boxText.size() - (point + 1);
    if (n >= 1 && n <= 4)
        return numeric::formatDigits(value, kIntegerDigitsForDecimals[n], int(n));
    return boxText;
}

QString checksum(const QString& body)
{
    // Summed wide and wrapped to 32 bits as two's complement, so that a text
    // too long for a 32-bit sum still gets one defined field on every compiler.
    std::int64_t sum = 0;
    for (const QChar c : body)
        sum += c.unicode();
    const auto wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(sum));
    return QStringLiteral("%1").arg(wrapped, 5, 10, QLatin1Char('0'));
}

int parseAddress(const QString& boxText)
{
    const auto value = numeric::parseNumber(boxText);
    if (!value || *value < 1.0 || *value > 255.0)
        return -1;
    return numeric::formatDigits(*value, 3, 0).toInt();
}

QString addressField(int address)
{
    return numeric::formatDigits(address, 3, 0);
}

QString dc1Frame(const QString& instrAddr, const QString& channelNo)
{
    return QChar(ctl::DC1) + instrAddr + channelNo + QChar(ctl::ETX);
}

QString dc2Frame(const QString& instrAddr, const QString& channelNo, const QString& paramNo)
{
    return QChar(ctl::DC2) + instrAddr + channelNo + QChar(ctl::US) + paramNo + QChar(ctl::ETX);
}

QString dc3Frame(const QString& instrAddr, const QString& channelNo, const QString& paramNo,
                 const QString& value)
{
    const QString body = QChar(ctl::DC3) + instrAddr + channelNo + QChar(ctl::US) + paramNo +
                         QChar(ctl::US) + value + QChar(ctl::US);
    return body + checksum(body) + QChar(ctl::ETX);
}

QString dc4Frame(const QString& hbxAddr, const QString& paramNo)
{
    // The inner request is laid out as a read-parameter command to address 001, channel 01.
    return QChar(ctl::DC4) + hbxAddr + QChar(ctl::DC2) + QStringLiteral("00101") + QChar(ctl::US) +
           paramNo + QChar(ctl::ETX);
}

void compose(ModuleVars& vars, const Selection& selection)
{
    const QChar function = catalogue::functionCharAt(selection.functionIndex);
    if (!function.isNull())
        vars.FuncCode = QString(function);

    const int address = parseAddress(selection.addressText);
    vars.AddrNum = std::int16_t(address);
    vars.InstrAddr = addressField(address);
    // The channel field is the entry's text, so the last entry "90" yields "90".
    vars.ChannelNo = selection.channelText;
    vars.ParamNo = catalogue::parameterCode(selection.parameterEntry);
    const QString value = valueText(selection.valueBoxText);

    if (vars.FuncCode == QChar(ctl::DC1)) {
        vars.SentFrame = dc1Frame(vars.InstrAddr, vars.ChannelNo);
    } else if (vars.FuncCode == QChar(ctl::DC2)) {
        vars.SentFrame = dc2Frame(vars.InstrAddr, vars.ChannelNo, vars.ParamNo);
    } else if (vars.FuncCode == QChar(ctl::DC3)) {
        vars.SentFrame = dc3Frame(vars.InstrAddr, vars.ChannelNo, vars.ParamNo, value);
    } else if (vars.FuncCode == QChar(ctl::DC4)) {
        vars.AddrNum = std::int16_t(vars.InstrAddr.toInt());
        vars.HbxAddr = numeric::formatDigits(vars.AddrNum, 2, 0);
        // Every parameter gets the same layout, so a DC4 never re-sends a stale frame.
        vars.SentFrame = dc4Frame(vars.HbxAddr, vars.ParamNo);
    }
}

} // namespace frames
