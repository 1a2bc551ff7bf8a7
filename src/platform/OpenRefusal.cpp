#include "platform/OpenRefusal.h"

#include "platform/PortTexts.h"

#include <QStringList>

namespace {

QString describeFound(const FoundPort& port)
{
    const QString summary = port.summary();
    return summary.isEmpty() ? port.shownName()
                             : QStringLiteral("%1 (%2)").arg(port.shownName(), summary);
}

} // namespace

QString refusalText(const OpenRefusal& refusal)
{
    switch (refusal.kind) {
    case OpenRefusal::Kind::Permission:
        return port_texts::PermissionRefused.arg(refusal.group, refusal.userName);
    case OpenRefusal::Kind::Busy:
        if (refusal.holder)
            return port_texts::BusyWithHolder.arg(refusal.holder->pid).arg(refusal.holder->program);
        return port_texts::Busy;
    case OpenRefusal::Kind::Missing: {
        if (refusal.foundNow.isEmpty())
            return port_texts::MissingNoPorts;
        QStringList names;
        for (const FoundPort& port : refusal.foundNow)
            names.append(describeFound(port));
        return port_texts::MissingWithPorts.arg(names.join(port_texts::FoundPortSeparator));
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
