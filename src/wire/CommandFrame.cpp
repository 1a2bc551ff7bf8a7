#include "wire/CommandFrame.h"

#include "wire/ControlChars.h"
#include "wire/NumericText.h"

#include <QList>
#include <cstdint>

namespace wire {

namespace {

constexpr char kUs = char(ctl::US);
constexpr char kEtx = char(ctl::ETX);
constexpr char kInnerRequest = char(ctl::DC2);

// Patterns "0000.0", "000.00", "00.000", "0.0000" by the number of decimals.
constexpr int kIntegerDigitsForDecimals[] = {5, 4, 3, 2, 1};

bool allDigits(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool allPrintable(QByteArrayView text)
{
    for (const char c : text) {
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

// "aaacc": three address digits and two channel digits.
bool takePlace(QByteArrayView text, Command& command)
{
    if (text.size() != 5 || !allDigits(text))
        return false;
    command.address = text.first(3).toByteArray();
    command.channel = text.sliced(3).toByteArray();
    return true;
}

bool isParameter(const QByteArray& text)
{
    return text.size() == 2 && allDigits(text);
}

std::optional<Command> readParameter(QByteArrayView body, Command command)
{
    const QList<QByteArray> fields = body.toByteArray().split(kUs);
    if (fields.size() != 2 || !takePlace(fields[0], command) || !isParameter(fields[1]))
        return std::nullopt;
    command.parameter = fields[1];
    return command;
}

std::optional<Command> writeParameter(QByteArrayView body, Command command)
{
    const QList<QByteArray> fields = body.toByteArray().split(kUs);
    if (fields.size() != 4 || !takePlace(fields[0], command) || !isParameter(fields[1]) ||
        fields[2].isEmpty() || !allPrintable(fields[2]) || fields[3].size() < 5 ||
        !allDigits(fields[3]))
        return std::nullopt;
    command.parameter = fields[1];
    command.value = fields[2];
    command.checksum = fields[3];
    return command;
}

// hh DC2 aaacc US pp, with a concentrator address of two or three digits.
std::optional<Command> concentrator(QByteArrayView body, Command command)
{
    const qsizetype inner = body.indexOf(kInnerRequest);
    if (inner < 2 || inner > 3 || !allDigits(body.first(inner)))
        return std::nullopt;
    command.hbxAddress = body.first(inner).toByteArray();
    return readParameter(body.sliced(inner + 1), command);
}

} // namespace

QByteArray summedBody(const Command& command)
{
    return char(functionCode(command.function)) + command.address + command.channel + kUs +
           command.parameter + kUs + command.value + kUs;
}

QByteArray composeCommand(const Command& command)
{
    const char code = char(functionCode(command.function));
    const QByteArray place = command.address + command.channel;
    switch (command.function) {
    case Function::Dc1:
        return code + place + kEtx;
    case Function::Dc2:
        return code + place + kUs + command.parameter + kEtx;
    case Function::Dc3: {
        const QByteArray body = summedBody(command);
        return body + writeChecksum(body) + kEtx;
    }
    case Function::Dc4:
        return code + command.hbxAddress + kInnerRequest + place + kUs + command.parameter + kEtx;
    }
    return {};
}

QByteArray dc1Frame(const QByteArray& address, const QByteArray& channel)
{
    return composeCommand({Function::Dc1, address, channel, {}, {}, {}, {}});
}

QByteArray dc2Frame(const QByteArray& address, const QByteArray& channel,
                    const QByteArray& parameter)
{
    return composeCommand({Function::Dc2, address, channel, parameter, {}, {}, {}});
}

QByteArray dc3Frame(const QByteArray& address, const QByteArray& channel,
                    const QByteArray& parameter, const QByteArray& value)
{
    return composeCommand({Function::Dc3, address, channel, parameter, value, {}, {}});
}

QByteArray dc4Frame(const QByteArray& hbxAddress, const QByteArray& parameter)
{
    Command command;
    command.function = Function::Dc4;
    command.parameter = parameter;
    command.hbxAddress = hbxAddress;
    return composeCommand(command);
}

std::optional<Command> parseCommand(QByteArrayView frame)
{
    if (frame.size() < 2 || frame.back() != kEtx)
        return std::nullopt;
    const QByteArrayView body = frame.sliced(1, frame.size() - 2);
    const std::optional<Function> function = functionOfCode(uchar(frame.front()));
    if (!function || body.contains(kEtx))
        return std::nullopt;
    Command command;
    command.function = *function;
    switch (*function) {
    case Function::Dc1:
        if (!takePlace(body, command))
            return std::nullopt;
        return command;
    case Function::Dc2:
        return readParameter(body, command);
    case Function::Dc3:
        return writeParameter(body, command);
    case Function::Dc4:
        return concentrator(body, command);
    }
    return std::nullopt;
}

QByteArray writeChecksum(QByteArrayView body)
{
    // Summed wide and wrapped to 32 bits as two's complement, so that a text
    // too long for a 32-bit sum still gets one defined field on every compiler.
    std::int64_t sum = 0;
    for (const char c : body)
        sum += uchar(c);
    const auto wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(sum));
    return QStringLiteral("%1").arg(wrapped, 5, 10, QLatin1Char('0')).toLatin1();
}

bool checksumHolds(const Command& command)
{
    return !isWrite(command.function) || command.checksum == writeChecksum(summedBody(command));
}

QByteArray addressField(int address)
{
    return numeric::formatDigits(address, 3, 0).toLatin1();
}

QByteArray hbxAddressField(int address)
{
    return numeric::formatDigits(address, 2, 0).toLatin1();
}

QByteArray addressFieldOf(Function function, int address)
{
    return function == Function::Dc4 ? hbxAddressField(address) : addressField(address);
}

QString valueField(const QString& typed)
{
    const double value = numeric::parseNumber(typed).value_or(0.0);
    const qsizetype point = typed.indexOf(u'.');
    if (point < 0)
        return numeric::formatDigits(value, 5, 0);
    const qsizetype n = typed.size() - (point + 1);
    if (n >= 1 && n <= 4)
        return numeric::formatDigits(value, kIntegerDigitsForDecimals[n], int(n));
    return typed;
}

} // namespace wire
