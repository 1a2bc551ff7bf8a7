#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A live program that holds a serial port.
struct PortHolder
{
    qint64 pid = 0;
    QString program; // the program's name, as its lock file or /proc tells it
};

// The folders in which Qt's serial port puts its lock files ("LCK..ttyUSB0"),
// in the order Qt tries them.
const QStringList& portLockFolders();

// The live owner of the lock file of `device`, looked up under the device's
// name as given and under the name it leads to (a stable name and the ttyUSB
// name it points at are locked apart). A lock whose process has ended does not
// hold the port.
std::optional<PortHolder> portLockOwner(const QString& device,
                                        const QStringList& lockFolders = portLockFolders());

// A process, other than this one, with the device open, from /proc (only
// processes this user may see): for holders that take no lock file.
std::optional<PortHolder> processHoldingDevice(const QString& device);
