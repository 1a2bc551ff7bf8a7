#pragma once

#include "wire/CommandFrame.h"
#include "wire/Function.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>

// One command a diagnosis run sends again and again: the window's four
// functions, with the fields the window would take from its boxes.
namespace diagnosis {

using wire::Function;

struct Target
{
    Function function = Function::Dc1;
    int address = 1;                        // instrument 1..255; for DC4 the HBX address
    QString channel = QStringLiteral("01"); // two digits, as in the channel list
    QString param = QStringLiteral("11");   // two-digit code of the parameter list (DC2..DC4)
    QString value = QStringLiteral("0");    // the number written by DC3, as typed

    bool operator==(const Target&) const = default;
};

// The command's fields, the value by the window's value rule.
wire::Command commandOf(const Target& target);

// The command bytes, built by the same frame rules as the window's.
QByteArray commandFrame(const Target& target);

// A short label for tables and charts: "DC1 001/01", "DC2 001/01 P11",
// "DC3 001/01 P12=100.0", "HBX 05 P73".
QString targetLabel(const Target& target);

} // namespace diagnosis

Q_DECLARE_METATYPE(diagnosis::Target)
