#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

// One command a diagnosis run sends again and again: the window's four
// functions, with the fields the window would take from its boxes.
namespace diagnosis {

enum class Function { Dc1, Dc2, Dc3, Dc4 };

struct Target
{
    Function function = Function::Dc1;
    int address = 1;                        // instrument 1..255; for DC4 the HBX address
    QString channel = QStringLiteral("01"); // two digits, as in the channel list
    QString param = QStringLiteral("11");   // two-digit code of the parameter list (DC2..DC4)
    QString value = QStringLiteral("0");    // the number written by DC3, as typed

    bool operator==(const Target&) const = default;
};

// Whether a reply ends with ACK/NAK (a write) rather than with ETB.
inline bool isWrite(Function function)
{
    return function == Function::Dc3;
}

// The command bytes, built by the same frame rules as the window's.
QByteArray commandFrame(const Target& target);

// "dc1".."dc4", as the command line spells the functions.
QString functionName(Function function);

// A short label for tables and charts: "DC1 001/01", "DC2 001/01 P11",
// "DC3 001/01 P12=100.0", "HBX 05 P73".
QString targetLabel(const Target& target);

} // namespace diagnosis

Q_DECLARE_METATYPE(diagnosis::Target)
