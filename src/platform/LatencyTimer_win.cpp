#include "platform/LatencyTimer.h"

#include "platform/PortTexts.h"

#include <QSettings>

std::optional<int> latencyTimerOf(const QString& portName)
{
    QSettings ftdi(QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS"),
                   QSettings::NativeFormat);
    RegistryReader registry;
    registry.subkeys = [&ftdi](const QString& key) {
        ftdi.beginGroup(key);
        const QStringList keys = ftdi.childGroups();
        ftdi.endGroup();
        return keys;
    };
    registry.value = [&ftdi](const QString& key, const QString& name) {
        return ftdi.value(key + u'/' + name);
    };
    return latencyFromRegistry(registry, portName);
}

QString latencyAdvice(const QString& portName)
{
    return port_texts::LatencyAdviceWindows.arg(portName);
}
