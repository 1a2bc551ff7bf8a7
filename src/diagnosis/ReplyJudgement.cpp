#include "diagnosis/ReplyJudgement.h"

#include "wire/ControlChars.h"
#include "wire/ReplyFrame.h"

namespace diagnosis {

Judgement judgeReply(const Target& target, const QByteArray& reply, bool checkField)
{
    Judgement judgement;
    if (reply.isEmpty())
        return judgement;
    const char last = reply.back();
    const qsizetype body = reply.size() - 1;

    if (wire::isWrite(target.function)) {
        // Whatever precedes the ACK/NAK is stray; a framed reply is not an answer to a write.
        judgement.noiseBytes = int(body);
        if (last == char(ctl::ACK))
            judgement.outcome = Outcome::Ok;
        else if (last == char(ctl::NAK))
            judgement.outcome = Outcome::Nak;
        else
            judgement.noiseBytes = 0;
        return judgement;
    }

    // A new STX starts a new frame, so bytes ahead of the last one are stray.
    const QByteArray framed = wire::framedPart(reply);
    if (framed.size() < wire::kShortestFramedReply)
        return judgement;
    judgement.noiseBytes = int(reply.size() - framed.size());
    const wire::Command command = commandOf(target);
    if (!wire::replyNames(command, framed))
        return judgement;
    judgement.outcome = !checkField || wire::checkFieldHolds(framed) ? Outcome::Ok : Outcome::Check;
    judgement.value = wire::replyValue(command, framed);
    return judgement;
}

} // namespace diagnosis
