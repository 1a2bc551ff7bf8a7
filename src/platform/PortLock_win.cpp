#include "platform/PortLock.h"

// Windows itself refuses a second program a COM port, so programs there keep
// no lock files, and it names no process that holds a port: on Windows a
// holder is never known, and a busy port shows only when opening it fails.

const QStringList& portLockFolders()
{
    static const QStringList none;
    return none;
}

std::optional<PortHolder> portLockOwner(const QString&, const QStringList&)
{
    return std::nullopt;
}

std::optional<PortHolder> processHoldingDevice(const QString&)
{
    return std::nullopt;
}
