#include "ExchangeLog.h"

#include "SimTexts.h"

#include "wire/WireText.h"

namespace sim {

QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer,
                     const Fault* mark, const QByteArray& sent, qint64 delayNs)
{
    QString line = time.toString(QStringLiteral("hh:mm:ss.zzz ")) + sim_texts::LogReceived +
                   wire::namedBytes(frame);
    if (answer.kind == AnswerKind::Silent)
        return line + sim_texts::LogSilent + answer.note;
    line += (mark ? mark->logLabel : sim_texts::LogAnswered) + wire::namedBytes(sent);
    if (!answer.note.isEmpty())
        line += QStringLiteral("  (") + answer.note + u')';
    if (delayNs >= 0)
        line += sim_texts::LogJitter.arg(double(delayNs) / 1e6, 0, 'f', 3);
    return line;
}

} // namespace sim
