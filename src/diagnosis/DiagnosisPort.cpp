#include "diagnosis/DiagnosisPort.h"

#include "platform/PortMapping.h"
#include "platform/SerialDeviceOpening.h"

#include <QRegularExpression>

namespace diagnosis {

QString deviceForPortText(const QString& portText)
{
    static const QRegularExpression comPort(QStringLiteral("^COM([1-8])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPort.match(portText);
    if (match.hasMatch())
        return currentPortDevice(match.captured(1).toInt()).device;
    return portText;
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
