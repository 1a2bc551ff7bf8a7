#include "platform/FoundPort.h"

#include <QStringList>

bool FoundPort::isAdapter() const
{
    return vendorId.has_value() || portName.startsWith(u"ttyUSB") || portName.startsWith(u"ttyACM");
}

QString FoundPort::shownName() const
{
    return systemLocation.startsWith(QStringLiteral("\\\\.\\")) ? portName : systemLocation;
}

QString FoundPort::usbIds() const
{
    if (!vendorId || !productId)
        return {};
    return QStringLiteral("%1:%2")
        .arg(*vendorId, 4, 16, QLatin1Char('0'))
        .arg(*productId, 4, 16, QLatin1Char('0'));
}

QString FoundPort::usbSerialName() const
{
    if (!vendorId || !productId || serialNumber.isEmpty())
        return {};
    const auto hex = [](quint16 id) {
        return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
    };
    return QStringLiteral("USB\\VID_%1&PID_%2\\%3")
        .arg(hex(*vendorId), hex(*productId), serialNumber);
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
        if (port.systemLocation == device || port.stableName == device || port.portName == device)
            return &port;
    }
    return nullptr;
}
