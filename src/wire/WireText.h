#pragma once

#include <QByteArray>
#include <QString>

// Bytes of the line written readably, as logs, CSV files and the frames page
// show them: the protocol's control characters by name in angle brackets,
// printable ASCII as itself, any other byte as two hex digits.
//
//     namedBytes("\x02" "00101+0011.000575\x17")  // "<STX>00101+0011.000575<ETB>"
//     bytesFromNamed(u"<DC1>00101<ETX>")          // the bytes 11 30 30 31 30 31 03
namespace wire {

QString namedBytes(QByteArrayView bytes);

// The inverse: "<STX>" and the other names, and "<7F>" hex pairs, become their
// bytes; every other character stands for itself (Latin-1).
QByteArray bytesFromNamed(QStringView text);

// The name of a protocol control character ("STX"), empty for any other.
QString controlName(char16_t code);

// The control character a name stands for, or 0 when it names none.
char16_t controlCode(QStringView name);

} // namespace wire
