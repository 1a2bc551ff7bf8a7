#pragma once

#include "diagnosis/DiagnosisTarget.h"
#include "diagnosis/ExchangeOutcome.h"

#include <QByteArray>
#include <optional>

namespace diagnosis {

struct Judgement
{
    Outcome outcome = Outcome::Malformed;
    int noiseBytes = 0;          // stray bytes ahead of the STX (or of the ACK/NAK)
    std::optional<double> value; // the number the reply carries, when it fits a layout
};

// Judges a complete reply (everything up to wire::replyEnd()). A read also
// ends at an ACK or NAK, and a write at an ETB: either is malformed. With
// `checkField` off, a reply whose check field is wrong is taken as ok. A reply
// that names another place than the target's is malformed.
Judgement judgeReply(const Target& target, const QByteArray& reply, bool checkField);

} // namespace diagnosis
