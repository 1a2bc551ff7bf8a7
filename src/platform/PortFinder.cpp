#include "platform/PortFinder.h"

#include "platform/LatencyTimer.h"
#include "platform/PortLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

namespace {

FoundPort fromInfo(const QSerialPortInfo& info)
{
    FoundPort port;
    port.portName = info.portName();
    port.systemLocation = info.systemLocation();
    port.description = info.description();
    port.manufacturer = info.manufacturer();
    port.serialNumber = info.serialNumber();
    if (info.hasVendorIdentifier())
        port.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
        port.productId = info.productIdentifier();
    return port;
}

// Names compared with their trailing numbers taken as numbers, so that ttyS2
// comes before ttyS10. QCollator's numeric mode is not used: in the C locale
// (a service, a test run) it falls back to comparing characters.
bool naturallyBefore(const QString& a, const QString& b)
{
    auto split = [](const QString& name) {
        qsizetype digits = name.size();
        while (digits > 0 && name.at(digits - 1).isDigit())
            --digits;
        return std::pair{name.left(digits), name.mid(digits).toULongLong()};
    };
    const auto [stemA, numberA] = split(a);
    const auto [stemB, numberB] = split(b);
    if (stemA != stemB)
        return stemA < stemB;
    if (numberA != numberB)
        return numberA < numberB;
    return a < b;
}

} // namespace

QString readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.read(64)).trimmed();
}

bool hasDeviceBehind(const QString& uartTypeText)
{
    if (uartTypeText.trimmed().isEmpty())
        return true;
    bool ok = false;
    const int type = uartTypeText.trimmed().toInt(&ok);
    // 0 is the kernel's "unknown": no UART answered at the port's address.
    return !ok || type != 0;
}

QList<FoundPort> realPortsInOrder(QList<FoundPort> candidates,
                                  const std::function<QString(const QString&)>& uartTypeOf)
{
    candidates.removeIf(
        [&](const FoundPort& port) { return !hasDeviceBehind(uartTypeOf(port.portName)); });

    // The order decides which device each COMn opens, so it must not depend
    // on the order in which the system happened to list the ports.
    auto rank = [](const FoundPort& port) {
        if (!port.isAdapter())
            return 0;
        return port.stableName.isEmpty() ? 2 : 1;
    };
    auto key = [](const FoundPort& port) {
        if (port.isAdapter() && !port.stableName.isEmpty())
            return port.stableName;
        return port.systemLocation;
    };
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](const FoundPort& a, const FoundPort& b) {
                         if (rank(a) != rank(b))
                             return rank(a) < rank(b);
                         return naturallyBefore(key(a), key(b));
                     });
    return candidates;
}

QString stableNameOf(const QString& device, const QString& byIdFolder)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return {};
    const QDir folder(byIdFolder);
    const QFileInfoList links = folder.entryInfoList(QDir::Files | QDir::System, QDir::Name);
    for (const QFileInfo& link : links) {
        if (link.isSymLink() && link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    }
    return {};
}

QList<FoundPort> findRealPorts(const PortFinderPaths& paths)
{
    QList<FoundPort> candidates;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        FoundPort port = fromInfo(info);
        port.stableName = stableNameOf(port.systemLocation, paths.byId);
        // Windows has no stable names of its own, and a re-plugged adapter may
        // get another COM number there: its USB serial number names it.
        if (port.stableName.isEmpty())
            port.stableName = port.usbSerialName();
        port.latencyMs = latencyTimerOf(port.portName);
        port.busy = portLockOwner(port.systemLocation).has_value();
        candidates.append(port);
    }
    return realPortsInOrder(candidates, [&](const QString& portName) {
        return readSmallFile(paths.sysfsTty + u'/' + portName + QStringLiteral("/type"));
    });
}
