#pragma once

#include "platform/FoundPort.h"
#include "platform/PortLock.h"

#include <QList>
#include <QSerialPort>
#include <QString>
#include <optional>

// Why a port could not be opened, in facts a technician can act on.
struct OpenRefusal
{
    enum class Kind { Permission, Busy, Missing, Other };
    Kind kind = Kind::Other;
    QString systemText;               // Qt's own words, for Other
    QString group;                    // Permission: the device's group
    QString userName;                 // Permission: who should join it
    std::optional<PortHolder> holder; // Busy: who holds the port, when known
    QList<FoundPort> foundNow;        // Missing: the ports there are instead
};

// The reason as the box shows it after "device: ".
QString refusalText(const OpenRefusal& refusal);

// Finds out why opening `device` failed with `error` (Qt's errorString() as
// `systemText`): it looks at the device, its lock file, the processes that
// hold it and the ports found now.
OpenRefusal examineRefusal(QSerialPort::SerialPortError error, const QString& device,
                           const QString& systemText);

// refusalText(examineRefusal(...)): the words every program shows when a port
// cannot be opened.
QString refusalReason(QSerialPort::SerialPortError error, const QString& device,
                      const QString& systemText);
