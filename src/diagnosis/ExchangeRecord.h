#pragma once

#include "diagnosis/DiagnosisTarget.h"
#include "diagnosis/ExchangeOutcome.h"

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <optional>

namespace diagnosis {

// What one exchange of a run did.
struct ExchangeRecord
{
    qint64 sequence = 0; // 1 for the run's first exchange
    int targetIndex = 0; // position of the target in the plan
    Target target;
    QDateTime sentAt; // local time of the send
    QByteArray frame; // the command as sent
    QByteArray reply; // what was received for it, stray bytes ahead included
    Outcome outcome = Outcome::Timeout;
    int noiseBytes = 0;       // stray bytes ahead of the reply's start
    qint64 responseUs = -1;   // from the flushed send to the reply's last byte; -1 without a reply
    qint64 commandWireUs = 0; // the command's characters at 11 bits each at the line speed
    qint64 replyWireUs = 0;   // the reply's characters (stray ones included) likewise
    std::optional<double> value; // the number the reply carries, if it carries one
};

// The send's stamp as recorded: "yyyy-MM-dd HH:mm:ss.zzz".
QString recordStamp(const QDateTime& sentAt);

// A response time in milliseconds with three decimals ("12.345"), "" for none.
QString millisecondsText(qint64 microseconds);

// The number a reply carried, to 15 significant digits ("11", "-3.5"), "" for none.
QString valueText(const std::optional<double>& value);

} // namespace diagnosis

Q_DECLARE_METATYPE(diagnosis::ExchangeRecord)
