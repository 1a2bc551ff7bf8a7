#pragma once

#include "protocol/ModuleVars.h"

#include <QString>

// The four command frames and the rules that build their fields.
namespace frames {

// The value field of a write command, built from the value box text: with a
// point and 1 to 4 characters after it, the number shown with exactly that many
// decimals ("0000.0" .. "0.0000"); with nothing or 5 and more characters after
// the point, the text as typed; without a point, the number formatted "00000".
// The text must have passed the numeric test.
QString valueText(const QString& boxText);

// Sum of the character codes of `body`, formatted with at least five digits.
QString checksum(const QString& body);

// The address box text as an address 1..255, or -1 when it is not one.
int parseAddress(const QString& boxText);

// An address as the three-digit field of a command ("007").
QString addressField(int address);

QString dc1Frame(const QString& instrAddr, const QString& channelNo);
QString dc2Frame(const QString& instrAddr, const QString& channelNo, const QString& paramNo);
QString dc3Frame(const QString& instrAddr, const QString& channelNo, const QString& paramNo,
                 const QString& value);
QString dc4Frame(const QString& hbxAddr, const QString& paramNo);

// What the window's selections hold at the moment of a Start.
struct Selection
{
    int functionIndex = -1; // position in the function list, -1 with none selected
    QString addressText;    // address box text, already a valid address
    QString channelText;    // text of the selected channel entry
    QString parameterEntry; // text of the selected parameter entry ("" with none)
    QString valueBoxText;   // value box text, already a number
};

// Writes FuncCode, InstrAddr, ChannelNo, ParamNo, HbxAddr (DC4), AddrNum and
// SentFrame for one send. With no function selected FuncCode keeps its value.
void compose(ModuleVars& vars, const Selection& selection);

} // namespace frames
