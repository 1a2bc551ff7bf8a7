#include "CommandParser.h"

#include "protocol/ControlChars.h"

#include <QList>

namespace sim {

namespace {

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
bool takeAddressAndChannel(QByteArrayView text, Command& command)
{
    if (text.size() != 5 || !allDigits(text))
        return false;
    command.address = text.first(3).toInt();
    command.channel = text.sliced(3).toInt();
    return true;
}

std::optional<Command> readValue(QByteArrayView body)
{
    Command command;
    command.function = Function::ReadValue;
    if (!takeAddressAndChannel(body, command))
        return std::nullopt;
    return command;
}

std::optional<Command> readParameter(QByteArrayView body)
{
    Command command;
    command.function = Function::ReadParameter;
    const QList<QByteArray> fields = body.toByteArray().split(char(ctl::US));
    if (fields.size() != 2 || !takeAddressAndChannel(fields[0], command) || fields[1].size() != 2 ||
        !allDigits(fields[1]))
        return std::nullopt;
    command.parameter = fields[1];
    return command;
}

std::optional<Command> writeParameter(QByteArrayView frame)
{
    Command command;
    command.function = Function::WriteParameter;
    const QByteArrayView body = frame.sliced(1, frame.size() - 2);
    const QList<QByteArray> fields = body.toByteArray().split(char(ctl::US));
    if (fields.size() != 4 || !takeAddressAndChannel(fields[0], command) || fields[1].size() != 2 ||
        !allDigits(fields[1]) || fields[2].isEmpty() || !allPrintable(fields[2]) ||
        fields[3].size() < 5 || !allDigits(fields[3]))
        return std::nullopt;
    command.parameter = fields[1];
    command.value = fields[2];
    command.checksum = fields[3];
    command.summedBody = frame.first(frame.size() - 1 - fields[3].size()).toByteArray();
    return command;
}

// hh DC2 aaacc US pp, with a concentrator address of two or three digits.
std::optional<Command> concentrator(QByteArrayView body)
{
    Command command;
    command.function = Function::Concentrator;
    const qsizetype inner = body.indexOf(char(ctl::DC2));
    if (inner < 2 || inner > 3 || !allDigits(body.first(inner)))
        return std::nullopt;
    command.hbxAddress = body.first(inner).toByteArray();
    const std::optional<Command> request = readParameter(body.sliced(inner + 1));
    if (!request)
        return std::nullopt;
    command.address = request->address;
    command.channel = request->channel;
    command.parameter = request->parameter;
    return command;
}

} // namespace

std::optional<Command> parseCommand(const QByteArray& frame)
{
    if (frame.size() < 2 || frame.back() != char(ctl::ETX))
        return std::nullopt;
    const QByteArrayView body = QByteArrayView(frame).sliced(1, frame.size() - 2);
    if (body.contains(char(ctl::ETX)))
        return std::nullopt;
    switch (frame.front()) {
    case char(ctl::DC1):
        return readValue(body);
    case char(ctl::DC2):
        return readParameter(body);
    case char(ctl::DC3):
        return writeParameter(frame);
    case char(ctl::DC4):
        return concentrator(body);
    default:
        return std::nullopt;
    }
}

} // namespace sim
