#include "diagnosis/ExchangeRecord.h"

namespace diagnosis {

namespace {

QString controlName(char c)
{
    switch (c) {
    case 0x02:
        return QStringLiteral("STX");
    case 0x03:
        return QStringLiteral("ETX");
    case 0x06:
        return QStringLiteral("ACK");
    case 0x11:
        return QStringLiteral("DC1");
    case 0x12:
        return QStringLiteral("DC2");
    case 0x13:
        return QStringLiteral("DC3");
    case 0x14:
        return QStringLiteral("DC4");
    case 0x15:
        return QStringLiteral("NAK");
    case 0x17:
        return QStringLiteral("ETB");
    case 0x1E:
        return QStringLiteral("RS");
    case 0x1F:
        return QStringLiteral("US");
    }
    return QStringLiteral("%1").arg(uint(uchar(c)), 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString visibleBytes(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() + 16);
    for (const char c : bytes) {
        if (c >= 0x20 && c <= 0x7e)
            text += QLatin1Char(c);
        else
            text += u'<' + controlName(c) + u'>';
    }
    return text;
}

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
