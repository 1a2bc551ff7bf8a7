#pragma once

#include "platform/LineEvents.h"
#include "protocol/ModuleVars.h"

#include <QList>
#include <QString>

// Gathering of the answer, one received chunk at a time. Which answer is
// awaited follows FuncCode, the function of the command last sent.
namespace reception {

enum class Verdict { Ack, Nak };

// What the window does after a chunk: decode RecvBuf, write acknowledgement
// entries (ACK before NAK when a chunk holds both), switch the reply timer off.
struct Outcome
{
    bool decode = false;
    QList<Verdict> verdicts;
    bool timerOff = false;

    bool operator==(const Outcome&) const = default;
};

// Whether a receive notification with `eventCode` reads the port at all: only
// line::kEventReceive while a command of DC1..DC4 has been sent.
bool wantsChunk(const ModuleVars& vars, int eventCode);

// Handles one chunk; call only when wantsChunk() said yes. Control characters
// are looked for in this chunk alone, never in what RecvBuf gathered before.
Outcome takeChunk(ModuleVars& vars, const QString& chunk);

} // namespace reception
