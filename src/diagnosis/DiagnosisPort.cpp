#include "diagnosis/DiagnosisPort.h"

#include "platform/LineSettings.h"
#include "platform/PortMapping.h"

#include <QRegularExpression>

namespace diagnosis {

QString deviceForPortText(const QString& portText)
{
    static const QRegularExpression comPort(QStringLiteral("^COM([1-8])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPort.match(portText);
    if (match.hasMatch())
        return deviceForPort(match.captured(1).toInt());
    return portText;
}

bool openDiagnosisPort(QSerialPort& port, const QString& portText, const QString& settings,
                       QString* refusal)
{
    if (port.isOpen())
        port.close();
    const QString device = deviceForPortText(portText);
    const auto refuse = [&](const QString& reason) {
        if (refusal)
            *refusal = QStringLiteral("%1: %2").arg(device, reason);
        return false;
    };

    QString settingsRefusal;
    const std::optional<LineSettings> line = parseLineSettings(settings, &settingsRefusal);
    if (!line)
        return refuse(settingsRefusal);
#ifndef Q_OS_WIN
    if (line->stopBits == QSerialPort::OneAndHalfStop)
        return refuse(kSettingsStopBitsUnsupported.arg(settings));
#endif
    port.setPortName(device);
    port.setBaudRate(line->baudRate);
    port.setParity(line->parity);
    port.setDataBits(line->dataBits);
    port.setStopBits(line->stopBits);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite))
        return refuse(port.errorString());
    return true;
}

} // namespace diagnosis
