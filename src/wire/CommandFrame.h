#pragma once

#include "wire/Function.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The command frames: composed from their fields, and taken apart again into
// them (the simulator answers what it parses, a listener reads another
// master's commands the same way).
//
//     DC1  aaa cc ETX
//     DC2  aaa cc US pp ETX
//     DC3  aaa cc US pp US value US checksum ETX
//     DC4  hh DC2 aaa cc US pp ETX      (hh: two digits, three from 100)
namespace wire {

// One command's fields as they stand in its frame.
struct Command
{
    Function function = Function::Dc1;
    // Three address digits and two channel digits; for DC4 those of the inner
    // request, which the tool always sends as "001" and "01".
    QByteArray address = QByteArrayLiteral("001");
    QByteArray channel = QByteArrayLiteral("01");
    QByteArray parameter;  // two digits: DC2, DC3, DC4
    QByteArray value;      // DC3: the value field
    QByteArray checksum;   // DC3: the checksum field as parsed; composing writes its own
    QByteArray hbxAddress; // DC4: the concentrator's address field

    bool operator==(const Command&) const = default;
};

// The frame of `command`; a DC3 gets the checksum of its summed body.
QByteArray composeCommand(const Command& command);

// The four frames by their fields, as the tool composes them ("001", "01", ...).
QByteArray dc1Frame(const QByteArray& address, const QByteArray& channel);
QByteArray dc2Frame(const QByteArray& address, const QByteArray& channel,
                    const QByteArray& parameter);
QByteArray dc3Frame(const QByteArray& address, const QByteArray& channel,
                    const QByteArray& parameter, const QByteArray& value);
QByteArray dc4Frame(const QByteArray& hbxAddress, const QByteArray& parameter);

// The fields of a frame that runs from its function code through ETX and has
// one of the four layouts with digits where digits belong; nothing otherwise.
// A DC3's checksum is taken as it stands: checksumHolds() tells whether it is right.
std::optional<Command> parseCommand(QByteArrayView frame);

// What a write's checksum covers: DC3 through the third US.
QByteArray summedBody(const Command& command);

// The sum of the character codes of `body` in a 32-bit signed integer (a sum
// past its range wraps as two's complement), written with at least five digits.
QByteArray writeChecksum(QByteArrayView body);

// Whether a parsed write carries the checksum of its summed body; the other
// functions carry none, so nothing in them can be wrong.
bool checksumHolds(const Command& command);

// An instrument address as the three-digit field ("007").
QByteArray addressField(int address);

// The HBX address field: two digits, three from 100 ("05", "120").
QByteArray hbxAddressField(int address);

// An address as a command of `function` carries it: the HBX address field
// for DC4, the instrument's three digits for the others.
QByteArray addressFieldOf(Function function, int address);

// The value field of a write, from the number as typed: with a point and 1 to
// 4 characters after it, the number with exactly that many decimals ("0000.0"
// to "0.0000"); with nothing or 5 and more after the point, the text as typed;
// without a point, the number formatted "00000". Everything after the first
// point counts, an exponent included (1.5e3 has three). The text must have
// passed the numeric test.
QString valueField(const QString& typed);

} // namespace wire
