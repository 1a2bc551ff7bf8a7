#pragma once

#include "platform/FoundPort.h"

#include <QList>
#include <QString>
#include <functional>

// Where the finder looks; tests point it at made-up folders.
struct PortFinderPaths
{
    QString sysfsTty = QStringLiteral("/sys/class/tty"); // <name>/type: the UART type
    QString byId = QStringLiteral("/dev/serial/by-id");  // stable names of adapters
};

// The real serial ports the system offers now, in COM order (realPortsInOrder()),
// with their stable names and whether a live program holds each one.
QList<FoundPort> findRealPorts(const PortFinderPaths& paths = {});

// Whether a port has a device behind it, from the text of its UART type in
// sysfs. The kernel lists ttyS0 to ttyS3 on almost every PC whether or not a
// UART answers there; such a port reports type 0 (no UART), and opening it
// gives a port that never sends. Ports that are not UARTs (USB, ACM) have no
// type and are real. Qt's own port list applies the same test, but by opening
// the device, which fails (and hides a real UART) for a user without access.
bool hasDeviceBehind(const QString& uartTypeText);

// Leaves out the ports with no device behind them (uartTypeOf gives the
// type text of a port name, empty when it has none) and orders the rest:
// on-board ports by name and number (ttyS2 before ttyS10), then USB and ACM
// adapters by stable name, then adapters that have none by system name.
QList<FoundPort> realPortsInOrder(QList<FoundPort> candidates,
                                  const std::function<QString(const QString&)>& uartTypeOf);

// The text of a small file such as a sysfs attribute, trimmed; empty when it
// cannot be read.
QString readSmallFile(const QString& path);

// The stable name in `byIdFolder` that leads to `device`, or empty.
QString stableNameOf(const QString& device, const QString& byIdFolder);
