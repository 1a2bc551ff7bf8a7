#pragma once

#include "diagnosis/DiagnosisTarget.h"
#include "diagnosis/ExchangeOutcome.h"

#include <QByteArray>
#include <optional>

namespace diagnosis {

// Where the reply in `received` ends: the position just past the ETB (a read)
// or the ACK/NAK (a write), or nothing while it is not complete. A read also
// ends at an ACK or NAK, and a write at an ETB: either is judged malformed.
std::optional<qsizetype> replyEnd(Function function, const QByteArray& received);

struct Judgement
{
    Outcome outcome = Outcome::Malformed;
    int noiseBytes = 0;          // stray bytes ahead of the STX (or of the ACK/NAK)
    std::optional<double> value; // the number the reply carries, when it fits a layout
};

// Judges a complete reply (everything up to replyEnd()). With `checkField`
// off, a reply whose check field is wrong is taken as ok. A reply that names
// another place than the target's is malformed.
Judgement judgeReply(const Target& target, const QByteArray& reply, bool checkField);

// Whether a framed reply (from its STX) names the command it answers: the
// address and channel of a DC1, those and the parameter of a DC2, the HBX
// address as sent and the parameter of a DC4. A reply naming another place is
// not this command's reply.
bool replyEchoes(const Target& target, const QByteArray& framed);

// The framed part of a complete read reply: from its last STX, or empty.
QByteArray framedPart(const QByteArray& reply);

// The check field a framed reply (STX up to the field) must carry: the sum of
// its byte values, last five digits.
QByteArray checkFieldFor(const QByteArray& framedHead);

} // namespace diagnosis
