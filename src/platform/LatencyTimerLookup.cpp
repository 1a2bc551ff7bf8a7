#include "platform/LatencyTimer.h"

#include "platform/PortFinder.h"
#include "platform/PortTexts.h"

#include <QSettings>

std::optional<int> latencyFromSysfs(const QString& usbSerialFolder, const QString& portName)
{
    bool ok = false;
    const int ms =
        readSmallFile(usbSerialFolder + u'/' + portName + QStringLiteral("/latency_timer"))
            .toInt(&ok);
    return ok ? std::optional(ms) : std::nullopt;
}

std::optional<int> latencyFromRegistry(QSettings& ftdibus, const QString& portName)
{
    for (const QString& device : ftdibus.childGroups()) {
        ftdibus.beginGroup(device);
        for (const QString& instance : ftdibus.childGroups()) {
            ftdibus.beginGroup(instance + QStringLiteral("/Device Parameters"));
            const bool named = ftdibus.value(QStringLiteral("PortName"))
                                   .toString()
                                   .compare(portName, Qt::CaseInsensitive) == 0;
            const QVariant ms = ftdibus.value(QStringLiteral("LatencyTimer"));
            ftdibus.endGroup();
            if (named) {
                ftdibus.endGroup();
                bool ok = false;
                const int value = ms.toInt(&ok);
                return ok ? std::optional(value) : std::nullopt;
            }
        }
        ftdibus.endGroup();
    }
    return std::nullopt;
}

QString latencyText(const QString& portName, std::optional<int> latencyMs)
{
    if (!latencyMs)
        return {};
    const QString timer = port_texts::LatencyTimer.arg(*latencyMs);
    return *latencyMs > 1
               ? timer + port_texts::LatencyLonger.arg(*latencyMs) + latencyAdvice(portName)
               : timer;
}

QString latencyTextOfDevice(const QString& device)
{
    const QList<FoundPort> found = findRealPorts();
    const FoundPort* port = findPort(found, device);
    return port ? latencyText(port->portName, port->latencyMs) : QString();
}
