#include "diagnosis/ReplyJudgement.h"

#include "diagnosis/ReplyValue.h"
#include "protocol/CommandFrames.h"
#include "protocol/NumericText.h"

namespace diagnosis {

namespace {

constexpr char kStx = 0x02;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kEtb = 0x17;
constexpr char kRs = 0x1E;
constexpr char kUs = 0x1F;
constexpr qsizetype kCheckLength = 5;
// STX, the check field and ETB: anything shorter cannot be a framed reply.
constexpr qsizetype kShortestFrame = 1 + kCheckLength + 1;

bool isEnd(char c)
{
    return c == kEtb || c == kAck || c == kNak;
}

} // namespace

std::optional<qsizetype> replyEnd(Function, const QByteArray& received)
{
    for (qsizetype i = 0; i < received.size(); ++i) {
        if (isEnd(received[i]))
            return i + 1;
    }
    return std::nullopt;
}

bool replyEchoes(const Target& target, const QByteArray& framed)
{
    const QByteArray place = (frames::addressField(target.address) + target.channel).toLatin1();
    QByteArray head(1, kStx);
    switch (target.function) {
    case Function::Dc1:
        // The value follows at once; a US there makes it a parameter reply.
        head += place;
        if (framed.size() > head.size() && framed[head.size()] == kUs)
            return false;
        break;
    case Function::Dc2:
        head += place + kUs + target.param.toLatin1() + kUs;
        break;
    case Function::Dc3:
        return true;
    case Function::Dc4:
        head +=
            numeric::formatDigits(target.address, 2, 0).toLatin1() + target.param.toLatin1() + kRs;
        break;
    }
    return framed.startsWith(head);
}

QByteArray framedPart(const QByteArray& reply)
{
    const qsizetype stx = reply.lastIndexOf(kStx);
    if (stx < 0 || reply.isEmpty() || reply.back() != kEtb)
        return {};
    return reply.sliced(stx);
}

QByteArray checkFieldFor(const QByteArray& framedHead)
{
    quint64 sum = 0;
    for (const char c : framedHead)
        sum += uchar(c);
    return QByteArray::number(sum % 100000).rightJustified(kCheckLength, '0');
}

Judgement judgeReply(const Target& target, const QByteArray& reply, bool checkField)
{
    Judgement judgement;
    if (reply.isEmpty())
        return judgement;
    const char last = reply.back();
    const qsizetype body = reply.size() - 1;

    if (isWrite(target.function)) {
        // Whatever precedes the ACK/NAK is stray; a framed reply is not an answer to a write.
        judgement.noiseBytes = int(body);
        if (last == kAck)
            judgement.outcome = Outcome::Ok;
        else if (last == kNak)
            judgement.outcome = Outcome::Nak;
        else
            judgement.noiseBytes = 0;
        return judgement;
    }

    // A new STX starts a new frame, so bytes ahead of the last one are stray.
    const qsizetype stx = reply.lastIndexOf(kStx);
    if (last != kEtb || stx < 0)
        return judgement;
    const QByteArray framed = reply.mid(stx);
    if (framed.size() < kShortestFrame)
        return judgement;
    judgement.noiseBytes = int(stx);
    if (!replyEchoes(target, framed))
        return judgement;
    const QByteArray head = framed.first(framed.size() - 1 - kCheckLength);
    const QByteArray check = framed.sliced(head.size(), kCheckLength);
    judgement.outcome = !checkField || check == checkFieldFor(head) ? Outcome::Ok : Outcome::Check;
    judgement.value = replyValue(target, framed);
    return judgement;
}

} // namespace diagnosis
