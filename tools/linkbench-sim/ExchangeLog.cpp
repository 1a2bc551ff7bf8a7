#include "ExchangeLog.h"

#include "SimTexts.h"

#include "wire/WireText.h"

namespace sim {

QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer, bool dropped,
                     const QByteArray& sent)
{
    return exchangeLine(time, frame, answer, dropped ? ReplyFate::Dropped : ReplyFate::Sent, sent);
}

QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer,
                     ReplyFate fate, const QByteArray& sent, qint64 delayNs)
{
    QString line = time.toString(QStringLiteral("hh:mm:ss.zzz ")) + texts::kLogReceived +
                   wire::namedBytes(frame);
    if (answer.kind == AnswerKind::Silent)
        return line + texts::kLogSilent + answer.note;
    switch (fate) {
    case ReplyFate::Sent:
        line += texts::kLogAnswered;
        break;
    case ReplyFate::Dropped:
        line += texts::kLogDropped;
        break;
    case ReplyFate::Late:
        line += texts::kLogLate;
        break;
    case ReplyFate::SpoiledCheck:
        line += texts::kLogBadCheck;
        break;
    }
    line += wire::namedBytes(sent);
    if (!answer.note.isEmpty())
        line += QStringLiteral("  (") + answer.note + u')';
    if (delayNs >= 0 && fate != ReplyFate::Dropped)
        line += texts::kLogJitter.arg(double(delayNs) / 1e6, 0, 'f', 3);
    return line;
}

} // namespace sim
