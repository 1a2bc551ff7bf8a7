#pragma once

#include <QByteArray>

// The framing every read reply shares: STX, the body, a five-character check
// field and ETB.
namespace sim {

// The character sum of `text`, written as five digits; a sum above 99999
// keeps only its last five digits, so the field never grows.
QByteArray checkField(const QByteArray& text);

// STX, `body`, the check field over STX and the body, ETB.
QByteArray framedReply(const QByteArray& body);

} // namespace sim
