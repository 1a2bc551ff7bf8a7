#include "platform/OpenRefusal.h"

#include "platform/PortTexts.h"

#include <QStringList>

namespace {

QString describeFound(const FoundPort& port)
{
    const QString summary = port.summary();
    return summary.isEmpty() ? port.systemLocation
                             : QStringLiteral("%1 (%2)").arg(port.systemLocation, summary);
}

} // namespace

QString refusalText(const OpenRefusal& refusal)
{
    switch (refusal.kind) {
    case OpenRefusal::Kind::Permission:
        return porttexts::PermissionRefused.arg(refusal.group, refusal.userName);
    case OpenRefusal::Kind::Busy:
        if (refusal.holder)
            return porttexts::BusyWithHolder.arg(refusal.holder->pid).arg(refusal.holder->program);
        return porttexts::Busy;
    case OpenRefusal::Kind::Missing: {
        if (refusal.foundNow.isEmpty())
            return porttexts::MissingNoPorts;
        QStringList names;
        for (const FoundPort& port : refusal.foundNow)
            names.append(describeFound(port));
        return porttexts::MissingWithPorts.arg(names.join(porttexts::FoundPortSeparator));
    }
    case OpenRefusal::Kind::Other:
        break;
    }
    return refusal.systemText;
}

QString refusalReason(QSerialPort::SerialPortError error, const QString& device,
                      const QString& systemText)
{
    return refusalText(examineRefusal(error, device, systemText));
}
