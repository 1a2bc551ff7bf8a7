#include "platform/LatencyTimer.h"

#include "platform/PortTexts.h"

#include <QSettings>

std::optional<int> latencyTimerOf(const QString& portName)
{
    QSettings ftdibus(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS"),
        QSettings::NativeFormat);
    return latencyFromRegistry(ftdibus, portName);
}

QString latencyAdvice(const QString& portName)
{
    return port_texts::LatencyAdviceWindows.arg(portName);
}
