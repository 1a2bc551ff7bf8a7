#include "platform/LatencyTimer.h"

#include "platform/PortTexts.h"

namespace {

const QString kUsbSerialDevices = QStringLiteral("/sys/bus/usb-serial/devices");

} // namespace

std::optional<int> latencyTimerOf(const QString& portName)
{
    return latencyFromSysfs(kUsbSerialDevices, portName);
}

QString latencyAdvice(const QString& portName)
{
    return port_texts::LatencyAdviceLinux.arg(kUsbSerialDevices + u'/' + portName);
}
