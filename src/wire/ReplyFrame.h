#pragma once

#include "wire/CommandFrame.h"

#include <QByteArray>
#include <QByteArrayList>
#include <optional>

// The replies: a framed reply runs STX, its body, a five-character check
// field and ETB; a write is answered by a lone ACK or NAK. An HBX reply's body
// is its header (address field and parameter) and each of its fields, every
// one followed by RS:
//
//     STX aaacc value check ETB                (DC1)
//     STX aaacc US pp US value check ETB       (DC2)
//     STX hh pp RS field RS ... field RS check ETB   (DC4)
namespace wire {

inline constexpr qsizetype kCheckFieldLength = 5;
// STX, the check field and ETB: anything shorter cannot be a framed reply.
inline constexpr qsizetype kShortestFramedReply = 1 + kCheckFieldLength + 1;

// Where a reply in `received` ends: just past its first ETB, ACK or NAK, or
// nothing while none has come.
std::optional<qsizetype> replyEnd(QByteArrayView received);

// The check field a reply shows: the five characters before its last one
// (the first five of the last six, or of the whole text when shorter). For
// the window's text as for bytes.
template <typename Text> Text shownCheckField(const Text& reply)
{
    return reply.right(kCheckFieldLength + 1).left(kCheckFieldLength);
}

// The check field a framed reply must carry: the sum of the byte values from
// its STX up to the field, its last five digits.
QByteArray checkFieldFor(QByteArrayView framedHead);

// STX, `body`, the check field over both, ETB.
QByteArray framedReply(QByteArrayView body);

// The framed part of a complete read reply: from its last STX (bytes ahead of
// it are stray) through the ETB that ends it; empty when it has none.
QByteArray framedPart(QByteArrayView reply);

// Whether a framed reply (STX to ETB, at least kShortestFramedReply long)
// carries the check field of what precedes it.
bool checkFieldHolds(QByteArrayView framed);

// The body of an HBX reply: the header (the address field as sent and the
// parameter) and every field, each followed by RS.
QByteArray hbxReplyBody(const QByteArray& hbxAddress, const QByteArray& parameter,
                        const QByteArrayList& fields);

// A framed reply's body taken apart at its RS: the header first, then the
// fields; what follows the last RS (nothing in a whole reply) is dropped.
QByteArrayList hbxReplyParts(QByteArrayView framed);

// Whether a framed reply names the place `command` asked: the address and
// channel of a DC1, those and the parameter of a DC2, the HBX address as sent
// and the parameter of a DC4. A reply naming another place answers another
// command. A write's answer names nothing and always fits.
bool replyNames(const Command& command, QByteArrayView framed);

// The number a framed reply carries: a DC1 reply's process value, a DC2
// reply's parameter value, the value in the first field of an HBX 73 (current
// values) or 74 (history) reply. Nothing for a reply that does not fit its layout.
std::optional<double> replyValue(const Command& command, QByteArrayView framed);

// The value text of a DC2 reply as the instrument sent it, digits, sign and
// point as they stand ("0100.0", "-012.50"); nothing when the reply does not
// have the parameter layout or the text is not a number.
std::optional<QByteArray> parameterValueText(QByteArrayView framed);

} // namespace wire
