#include "ExchangeLog.h"

#include "SimTexts.h"

#include "wire/WireText.h"

namespace sim {

QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer,
                     const Fault* mark, const QByteArray& sent, qint64 delayNs)
{
    QString line = time.toString(QStringLiteral("hh:mm:ss.zzz ")) + texts::kLogReceived +
                   wire::namedBytes(frame);
    if (answer.kind == AnswerKind::Silent)
        return line + texts::kLogSilent + answer.note;
    line += (mark ? mark->logLabel : texts::kLogAnswered) + wire::namedBytes(sent);
    if (!answer.note.isEmpty())
        line += QStringLiteral("  (") + answer.note + u')';
    if (delayNs >= 0)
        line += texts::kLogJitter.arg(double(delayNs) / 1e6, 0, 'f', 3);
    return line;
}

} // namespace sim
