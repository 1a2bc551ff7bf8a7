#include "platform/PortLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <csignal>
#include <sys/types.h>

namespace {

// Qt names a port's lock file after the device with "/dev/" left out and the
// remaining slashes turned into underscores.
QString lockFileName(const QString& device)
{
    QString name = device.startsWith(u"/dev/") ? device.mid(5) : device;
    name.replace(u'/', u'_');
    return QStringLiteral("LCK..") + name;
}

bool processIsAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// The name the process was started by: /proc/PID/cmdline is readable for
// every process, and unlike /proc/PID/comm it is not cut at 15 characters.
QString programOf(qint64 pid)
{
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!commandLine.open(QIODevice::ReadOnly))
        return {};
    const QByteArray first = commandLine.readAll().split('\0').value(0);
    return QFileInfo(QString::fromLocal8Bit(first)).fileName();
}

} // namespace

const QStringList& portLockFolders()
{
    static const QStringList folders = {
        QStringLiteral("/var/lock"),
        QStringLiteral("/etc/locks"),
        QStringLiteral("/var/spool/locks"),
        QStringLiteral("/var/spool/uucp"),
        QStringLiteral("/tmp"),
        QStringLiteral("/var/tmp"),
        QStringLiteral("/var/lock/lockdev"),
        QStringLiteral("/run/lock"),
    };
    return folders;
}

std::optional<PortHolder> portLockOwner(const QString& device, const QStringList& lockFolders)
{
    QStringList names = {lockFileName(device)};
    const QString target = QFileInfo(device).canonicalFilePath();
    if (!target.isEmpty() && target != device)
        names.append(lockFileName(target));
    for (const QString& folder : lockFolders) {
        for (const QString& name : names) {
            const QString path = folder + u'/' + name;
            if (!QFileInfo::exists(path))
                continue;
            QLockFile lock(path);
            qint64 pid = 0;
            QString hostName;
            QString program;
            if (!lock.getLockInfo(&pid, &hostName, &program) || !processIsAlive(pid))
                continue;
            return PortHolder{pid, program.isEmpty() ? programOf(pid) : program};
        }
    }
    return std::nullopt;
}

std::optional<PortHolder> processHoldingDevice(const QString& device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return std::nullopt;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : processes) {
        bool isNumber = false;
        const qint64 pid = entry.toLongLong(&isNumber);
        if (!isNumber || pid == self)
            continue;
        const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(pid));
        const QFileInfoList links = descriptors.entryInfoList(QDir::System | QDir::Files);
        for (const QFileInfo& link : links) {
            if (link.symLinkTarget() == target)
                return PortHolder{pid, programOf(pid)};
        }
    }
    return std::nullopt;
}
