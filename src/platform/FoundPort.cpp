#include "platform/FoundPort.h"

#include <QStringList>

bool FoundPort::isAdapter() const
{
    return vendorId.has_value() || portName.startsWith(u"ttyUSB") || portName.startsWith(u"ttyACM");
}

QString FoundPort::usbIds() const
{
    if (!vendorId || !productId)
        return {};
    return QStringLiteral("%1:%2")
        .arg(*vendorId, 4, 16, QLatin1Char('0'))
        .arg(*productId, 4, 16, QLatin1Char('0'));
}

QString FoundPort::summary() const
{
    QStringList parts;
    for (const QString& part : {description, manufacturer, usbIds()}) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(QStringLiteral(", "));
}

const FoundPort* findPort(const QList<FoundPort>& found, const QString& device)
{
    if (device.isEmpty())
        return nullptr;
    for (const FoundPort& port : found) {
        if (port.systemLocation == device || port.stableName == device)
            return &port;
    }
    return nullptr;
}
