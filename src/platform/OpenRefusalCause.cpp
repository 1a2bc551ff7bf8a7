#include "platform/OpenRefusal.h"

#include "platform/PortFinder.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>

namespace {

QString loginName()
{
    if (const passwd* entry = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

bool accessDenied(const QString& device)
{
    const QByteArray path = QFile::encodeName(device);
    return ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

} // namespace

OpenRefusal examineRefusal(QSerialPort::SerialPortError error, const QString& device,
                           const QString& systemText)
{
    OpenRefusal refusal;
    refusal.systemText = systemText;
    // A link whose device has gone (a stable name after unplugging) exists as
    // a name but not as a device.
    if (error == QSerialPort::DeviceNotFoundError || !QFileInfo(device).exists()) {
        refusal.kind = OpenRefusal::Kind::Missing;
        refusal.foundNow = findRealPorts();
        return refusal;
    }
    // Qt says "permission error" both when the user may not use the device and
    // when another program holds it (its lock file, or EBUSY from the
    // device), so the two are told apart here.
    if (error != QSerialPort::PermissionError && error != QSerialPort::OpenError &&
        error != QSerialPort::ResourceError)
        return refusal;
    if (accessDenied(device)) {
        refusal.kind = OpenRefusal::Kind::Permission;
        refusal.group = QFileInfo(device).group();
        refusal.userName = loginName();
        return refusal;
    }
    refusal.holder = portLockOwner(device);
    if (!refusal.holder)
        refusal.holder = processHoldingDevice(device);
    if (refusal.holder || error == QSerialPort::PermissionError)
        refusal.kind = OpenRefusal::Kind::Busy;
    return refusal;
}
