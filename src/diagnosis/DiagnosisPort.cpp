#include "diagnosis/DiagnosisPort.h"

#include "platform/PortMapping.h"
#include "platform/SerialDeviceOpening.h"

#include <QRegularExpression>

namespace diagnosis {

QString deviceForPortText(const QString& portText)
{
    const int portNumber = comPortNumber(portText);
    return portNumber > 0 ? currentPortDevice(portNumber).device : portText;
}

bool openDiagnosisPort(QSerialPort& port, const QString& portText, const QString& settings,
                       QString* refusal)
{
    const QString device = deviceForPortText(portText);
    const std::optional<QString> reason = openSerialDevice(port, device, settings);
    if (reason && refusal)
        *refusal = QStringLiteral("%1: %2").arg(device, *reason);
    return !reason;
}

} // namespace diagnosis
