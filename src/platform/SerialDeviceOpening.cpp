#include "platform/SerialDeviceOpening.h"

#include "platform/LineSettings.h"
#include "platform/OpenRefusal.h"
#include "platform/PortTexts.h"

#include <QStringList>

namespace {

bool openWith(QSerialPort& port, const QString& device, const LineSettings& line,
              QIODevice::OpenMode mode)
{
    port.setPortName(device);
    port.setBaudRate(line.baudRate);
    port.setParity(line.parity);
    port.setDataBits(line.dataBits);
    port.setStopBits(line.stopBits);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return port.open(mode);
}

// The first setting the open port refuses, named as the settings text has it
// ("e", "1.5") rather than by Qt's numbers; empty when it takes them all.
QString firstRefusedSetting(QSerialPort& port, const LineSettings& line, const QString& settings)
{
    const QStringList items = settings.split(u',');
    auto refused = [&](const QString& setting, int item) {
        return port_texts::SettingRefused.arg(setting, items.value(item).trimmed());
    };
    if (!port.setBaudRate(line.baudRate))
        return refused(port_texts::SettingSpeed, 0);
    if (!port.setParity(line.parity))
        return refused(port_texts::SettingParity, 1);
    if (!port.setDataBits(line.dataBits))
        return refused(port_texts::SettingDataBits, 2);
    if (!port.setStopBits(line.stopBits))
        return refused(port_texts::SettingStopBits, 3);
    return {};
}

} // namespace

std::optional<QString> openSerialDevice(QSerialPort& port, const QString& device,
                                        const QString& settings, QIODevice::OpenMode mode)
{
    if (port.isOpen())
        port.close();

    QString refusal;
    const std::optional<LineSettings> line = parseLineSettings(settings, &refusal);
#ifndef Q_OS_WIN
    if (line && line->stopBits == QSerialPort::OneAndHalfStop)
        refusal = kSettingsStopBitsUnsupported.arg(settings);
#endif
    if (!line || !refusal.isEmpty())
        return refusal;

    if (openWith(port, device, *line, mode))
        return std::nullopt;
    const QSerialPort::SerialPortError code = port.error();
    QString reason = refusalReason(code, device, port.errorString());
    if (code == QSerialPort::UnsupportedOperationError) {
        // Qt does not say which setting the port refused: the port is opened
        // with settings every port takes, and the line's are tried one by one.
        LineSettings plain;
        plain.stopBits = QSerialPort::OneStop;
        if (openWith(port, device, plain, mode)) {
            const QString which = firstRefusedSetting(port, *line, settings);
            if (!which.isEmpty())
                reason = which;
        }
        port.close();
    }
    return reason;
}
