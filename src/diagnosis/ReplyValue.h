#pragma once

#include "diagnosis/DiagnosisTarget.h"

#include <QByteArray>
#include <optional>

namespace diagnosis {

// The number a reply carries, for trends: a DC1 reply's process value, a DC2
// reply's parameter value, the first field's value of an HBX 73 (current
// values) or 74 (history) reply. `framed` runs from the STX to the ETB. A
// reply that does not fit its layout gives nothing.
std::optional<double> replyValue(const Target& target, const QByteArray& framed);

} // namespace diagnosis
