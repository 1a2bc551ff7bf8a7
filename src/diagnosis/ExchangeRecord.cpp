#include "diagnosis/ExchangeRecord.h"

namespace diagnosis {

QString recordStamp(const QDateTime& sentAt)
{
    return sentAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

QString millisecondsText(qint64 microseconds)
{
    if (microseconds < 0)
        return {};
    return QStringLiteral("%1.%2")
        .arg(microseconds / 1000)
        .arg(microseconds % 1000, 3, 10, QLatin1Char('0'));
}

QString valueText(const std::optional<double>& value)
{
    return value ? QString::number(*value, 'g', 15) : QString();
}

} // namespace diagnosis
