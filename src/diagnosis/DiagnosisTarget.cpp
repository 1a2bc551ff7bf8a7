#include "diagnosis/DiagnosisTarget.h"

namespace diagnosis {

wire::Command commandOf(const Target& target)
{
    wire::Command command;
    command.function = target.function;
    command.parameter = target.param.toLatin1();
    if (target.function == Function::Dc4) {
        command.hbxAddress = wire::hbxAddressField(target.address);
        return command;
    }
    command.address = wire::addressField(target.address);
    command.channel = target.channel.toLatin1();
    if (target.function == Function::Dc3)
        command.value = wire::valueField(target.value).toLatin1();
    return command;
}

QByteArray commandFrame(const Target& target)
{
    return wire::composeCommand(commandOf(target));
}

QString targetLabel(const Target& target)
{
    const wire::Command command = commandOf(target);
    const QString place = QStringLiteral("%1/%2").arg(QString::fromLatin1(command.address),
                                                      QString::fromLatin1(command.channel));
    switch (target.function) {
    case Function::Dc1:
        return QStringLiteral("DC1 ") + place;
    case Function::Dc2:
        return QStringLiteral("DC2 %1 P%2").arg(place, target.param);
    case Function::Dc3:
        return QStringLiteral("DC3 %1 P%2=%3").arg(place, target.param, target.value);
    case Function::Dc4:
        return QStringLiteral("HBX %1 P%2")
            .arg(QString::fromLatin1(command.hbxAddress), target.param);
    }
    return {};
}

} // namespace diagnosis
