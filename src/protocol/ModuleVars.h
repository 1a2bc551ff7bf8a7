#pragma once

#include <QString>
#include <cstdint>

// The state shared by sending, reception, decoding and the time-out: one
// instance for the program's lifetime, owned by the start-up module. Until the
// next Start it describes the command last sent; the reply handling relies on it.
struct ModuleVars
{
    QString FuncCode;          // DC1..DC4 of the command last sent; empty before the first
    QString InstrAddr = "001"; // address field of the command last sent
    QString ChannelNo = "01";  // channel field of the command last sent
    QString ParamNo;           // parameter field of the command last sent
    QString HbxAddr;           // concentrator address of the last DC4 command
    QString SentFrame;         // the whole command last written to the line
    QString StampText;         // header stamp of the current exchange
    QString RecvBuf;           // reply characters gathered from the line
    QString WorkOut;           // check text of the reply last decoded
    std::int16_t AddrNum = 0;  // scratch for the numeric conversions of a send
};
