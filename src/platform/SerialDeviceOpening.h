#pragma once

#include <QSerialPort>
#include <QString>
#include <optional>

// Opens `port` on `device` with a line settings text such as "9600,n,8,2",
// flow control off. Returns nothing when the port is open, otherwise the
// reason a technician can act on (without the device's name): an unreadable
// settings text, the setting the port refused, or why the device could not
// be opened. The window's serial line and every diagnosis run open through
// here, so both say the same. A listener opens with `mode` ReadOnly: it must
// never put a byte on a line another master drives.
std::optional<QString> openSerialDevice(QSerialPort& port, const QString& device,
                                        const QString& settings,
                                        QIODevice::OpenMode mode = QIODevice::ReadWrite);
