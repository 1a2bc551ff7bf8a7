#pragma once

#include <QSerialPort>
#include <QString>

namespace diagnosis {

// The device a port text names: "COM1".."COM8" by the tool's port mapping,
// anything else taken as a device path.
QString deviceForPortText(const QString& portText);

// Opens `port` on the device `portText` names with the line settings text
// ("9600,n,8,2"), flow control off. On failure returns false and sets
// `refusal` to the device and the reason, as the window's box shows them.
// Every diagnosis run opens its port through here.
bool openDiagnosisPort(QSerialPort& port, const QString& portText, const QString& settings,
                       QString* refusal);

} // namespace diagnosis
