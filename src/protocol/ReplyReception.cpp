#include "protocol/ReplyReception.h"

#include "wire/ControlChars.h"

namespace reception {

namespace {

bool awaitsFramedReply(const QString& funcCode)
{
    return funcCode == QChar(ctl::DC1) || funcCode == QChar(ctl::DC2) ||
           funcCode == QChar(ctl::DC4);
}

} // namespace

bool wantsChunk(const ModuleVars& vars, int eventCode)
{
    if (eventCode != line::kEventReceive)
        return false;
    return awaitsFramedReply(vars.FuncCode) || vars.FuncCode == QChar(ctl::DC3);
}

Outcome takeChunk(ModuleVars& vars, const QString& chunk)
{
    Outcome outcome;
    if (awaitsFramedReply(vars.FuncCode)) {
        // Emptying comes before the append, so characters ahead of the STX in
        // the same chunk stay at the front of the reply.
        if (chunk.contains(QChar(ctl::STX)))
            vars.RecvBuf.clear();
        const bool complete = chunk.contains(QChar(ctl::ETB));
        vars.RecvBuf += chunk;
        outcome.decode = complete;
        outcome.timerOff = complete;
    } else if (vars.FuncCode == QChar(ctl::DC3)) {
        vars.RecvBuf.clear();
        if (chunk.contains(QChar(ctl::ACK)))
            outcome.verdicts << Verdict::Ack;
        if (chunk.contains(QChar(ctl::NAK)))
            outcome.verdicts << Verdict::Nak;
        outcome.timerOff = !outcome.verdicts.isEmpty();
    }
    return outcome;
}

} // namespace reception
