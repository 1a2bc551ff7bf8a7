#include "wire/ReplyFrame.h"

#include "wire/ControlChars.h"
#include "wire/NumericText.h"

#include <QList>

namespace wire {

namespace {

constexpr char kStx = char(ctl::STX);
constexpr char kEtb = char(ctl::ETB);
constexpr char kRs = char(ctl::RS);
constexpr char kUs = char(ctl::US);
constexpr qsizetype kPlaceLength = 5; // address and channel, "00101"

bool isEnd(char c)
{
    return c == kEtb || c == char(ctl::ACK) || c == char(ctl::NAK);
}

// What stands between the STX and the check field.
QByteArrayView innerOf(QByteArrayView framed)
{
    return framed.sliced(1, framed.size() - 2 - kCheckFieldLength);
}

std::optional<double> numberIn(QByteArrayView text)
{
    // The numeric test accepts blanks around a number; a reply field has none.
    if (text.isEmpty() || text.front() == ' ' || text.back() == ' ')
        return std::nullopt;
    return numeric::parseNumber(QString::fromLatin1(text));
}

// An HBX 73 field "00101+0012.9" or 74 field "14:20+0012.9": the value after
// the five-character lead.
std::optional<double> hbxFieldValue(QByteArrayView field)
{
    if (field.size() <= kPlaceLength)
        return std::nullopt;
    return numberIn(field.sliced(kPlaceLength));
}

} // namespace

std::optional<qsizetype> replyEnd(QByteArrayView received)
{
    for (qsizetype i = 0; i < received.size(); ++i) {
        if (isEnd(received[i]))
            return i + 1;
    }
    return std::nullopt;
}

QByteArray checkFieldFor(QByteArrayView framedHead)
{
    quint64 sum = 0;
    for (const char c : framedHead)
        sum += uchar(c);
    return QByteArray::number(sum % 100000).rightJustified(kCheckFieldLength, '0');
}

QByteArray framedReply(QByteArrayView body)
{
    const QByteArray summed = kStx + body.toByteArray();
    return summed + checkFieldFor(summed) + kEtb;
}

QByteArray framedPart(QByteArrayView reply)
{
    const qsizetype stx = reply.lastIndexOf(kStx);
    if (stx < 0 || reply.isEmpty() || reply.back() != kEtb)
        return {};
    return reply.sliced(stx).toByteArray();
}

bool checkFieldHolds(QByteArrayView framed)
{
    const QByteArrayView head = framed.first(framed.size() - 1 - kCheckFieldLength);
    return framed.sliced(head.size(), kCheckFieldLength) == checkFieldFor(head);
}

QByteArray hbxReplyBody(const QByteArray& hbxAddress, const QByteArray& parameter,
                        const QByteArrayList& fields)
{
    QByteArray body = hbxAddress + parameter + kRs;
    for (const QByteArray& field : fields)
        body += field + kRs;
    return body;
}

QByteArrayList hbxReplyParts(QByteArrayView framed)
{
    QByteArrayList parts = innerOf(framed).toByteArray().split(kRs);
    parts.removeLast();
    return parts;
}

bool replyNames(const Command& command, QByteArrayView framed)
{
    QByteArray head(1, kStx);
    switch (command.function) {
    case Function::Dc1:
        // The value follows at once; a US there makes it a parameter reply.
        head += command.address + command.channel;
        if (framed.size() > head.size() && framed[head.size()] == kUs)
            return false;
        break;
    case Function::Dc2:
        head += command.address + command.channel + kUs + command.parameter + kUs;
        break;
    case Function::Dc3:
        return true;
    case Function::Dc4:
        head += command.hbxAddress + command.parameter + kRs;
        break;
    }
    return framed.startsWith(head);
}

std::optional<double> replyValue(const Command& command, QByteArrayView framed)
{
    if (framed.size() < 2 + kCheckFieldLength)
        return std::nullopt;
    const QByteArrayView inner = innerOf(framed);
    switch (command.function) {
    case Function::Dc1:
        if (inner.size() <= kPlaceLength)
            return std::nullopt;
        return numberIn(inner.sliced(kPlaceLength));
    case Function::Dc2: {
        const std::optional<QByteArray> text = parameterValueText(framed);
        return text ? numberIn(*text) : std::nullopt;
    }
    case Function::Dc3:
        return std::nullopt;
    case Function::Dc4: {
        if (command.parameter != "73" && command.parameter != "74")
            return std::nullopt;
        const QByteArrayList parts = hbxReplyParts(framed);
        if (parts.size() < 2)
            return std::nullopt;
        return hbxFieldValue(parts[1]);
    }
    }
    return std::nullopt;
}

std::optional<QByteArray> parameterValueText(QByteArrayView framed)
{
    if (framed.size() < 2 + kCheckFieldLength)
        return std::nullopt;
    const QList<QByteArray> fields = innerOf(framed).toByteArray().split(kUs);
    if (fields.size() != 3 || !numberIn(fields[2]))
        return std::nullopt;
    return fields[2];
}

} // namespace wire
