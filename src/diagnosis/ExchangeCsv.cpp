#include "diagnosis/ExchangeCsv.h"

#include "wire/CommandFrame.h"
#include "wire/WireText.h"

namespace diagnosis {

QByteArray exchangeCsvStart()
{
    static const QStringList header = {"time",  "address", "channel", "function",    "param",
                                       "frame", "reply",   "outcome", "response_ms", "value"};
    // Written as bytes: QString::fromUtf8() would drop a leading mark.
    return QByteArrayLiteral("\xEF\xBB\xBF") + csvLine(header).toUtf8();
}

QStringList exchangeCsvFields(const ExchangeRecord& record)
{
    const Target& t = record.target;
    const bool hbx = t.function == Function::Dc4;
    return {recordStamp(record.sentAt),
            QString::fromLatin1(wire::addressFieldOf(t.function, t.address)),
            hbx ? QString() : t.channel,
            functionName(t.function),
            t.function == Function::Dc1 ? QString() : t.param,
            wire::namedBytes(record.frame),
            wire::namedBytes(record.reply),
            outcomeName(record.outcome),
            millisecondsText(record.responseUs),
            valueText(record.value)};
}

QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
        !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(u',') + QStringLiteral("\r\n");
}

} // namespace diagnosis
