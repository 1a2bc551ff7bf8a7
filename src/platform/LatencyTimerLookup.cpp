#include "platform/LatencyTimer.h"

#include "platform/PortFinder.h"
#include "platform/PortTexts.h"

#include <QFile>

std::optional<int> latencyFromSysfs(const QString& usbSerialFolder, const QString& portName)
{
    QFile file(usbSerialFolder + u'/' + portName + QStringLiteral("/latency_timer"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const int ms = QString::fromLatin1(file.read(16)).trimmed().toInt(&ok);
    return ok ? std::optional(ms) : std::nullopt;
}

std::optional<int> latencyFromRegistry(const RegistryReader& registry, const QString& portName)
{
    for (const QString& device : registry.subkeys(QString())) {
        for (const QString& instance : registry.subkeys(device)) {
            const QString parameters =
                device + u'/' + instance + QStringLiteral("/Device Parameters");
            if (registry.value(parameters, QStringLiteral("PortName"))
                    .toString()
                    .compare(portName, Qt::CaseInsensitive) != 0)
                continue;
            bool ok = false;
            const int ms = registry.value(parameters, QStringLiteral("LatencyTimer")).toInt(&ok);
            return ok ? std::optional(ms) : std::nullopt;
        }
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
