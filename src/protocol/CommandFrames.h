#pragma once

#include "protocol/ModuleVars.h"

#include <QString>

// The window's Start: the fields of the command taken from its selections,
// and the frame composed from them by the line's rules.
namespace frames {

// The address box text as an address 1..255, or -1 when it is not one.
int parseAddress(const QString& boxText);

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
