#include "ExchangeLog.h"

#include "SimTexts.h"

#include <QHash>

namespace sim {

namespace {

const QHash<char, QString>& controlNames()
{
    static const QHash<char, QString> names = {
        {0x02, QStringLiteral("STX")}, {0x03, QStringLiteral("ETX")}, {0x06, QStringLiteral("ACK")},
        {0x11, QStringLiteral("DC1")}, {0x12, QStringLiteral("DC2")}, {0x13, QStringLiteral("DC3")},
        {0x14, QStringLiteral("DC4")}, {0x15, QStringLiteral("NAK")}, {0x17, QStringLiteral("ETB")},
        {0x1E, QStringLiteral("RS")},  {0x1F, QStringLiteral("US")},
    };
    return names;
}

} // namespace

QString visibleBytes(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes) {
        if (c >= 0x20 && c <= 0x7e) {
            text += QLatin1Char(c);
            continue;
        }
        const QString name = controlNames().value(
            c, QStringLiteral("%1").arg(uint(uchar(c)), 2, 16, QLatin1Char('0')).toUpper());
        text += u'<' + name + u'>';
    }
    return text;
}

QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer, bool dropped,
                     const QByteArray& sent)
{
    return exchangeLine(time, frame, answer, dropped ? ReplyFate::Dropped : ReplyFate::Sent, sent);
}

QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer,
                     ReplyFate fate, const QByteArray& sent, qint64 delayNs)
{
    QString line =
        time.toString(QStringLiteral("hh:mm:ss.zzz ")) + texts::kLogReceived + visibleBytes(frame);
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
    line += visibleBytes(sent);
    if (!answer.note.isEmpty())
        line += QStringLiteral("  (") + answer.note + u')';
    if (delayNs >= 0 && fate != ReplyFate::Dropped)
        line += texts::kLogJitter.arg(double(delayNs) / 1e6, 0, 'f', 3);
    return line;
}

} // namespace sim
