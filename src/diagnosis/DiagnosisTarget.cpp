#include "diagnosis/DiagnosisTarget.h"

#include "protocol/CommandFrames.h"
#include "protocol/NumericText.h"

namespace diagnosis {

QByteArray commandFrame(const Target& target)
{
    const QString address = frames::addressField(target.address);
    QString frame;
    switch (target.function) {
    case Function::Dc1:
        frame = frames::dc1Frame(address, target.channel);
        break;
    case Function::Dc2:
        frame = frames::dc2Frame(address, target.channel, target.param);
        break;
    case Function::Dc3:
        frame = frames::dc3Frame(address, target.channel, target.param,
                                 frames::valueText(target.value));
        break;
    case Function::Dc4:
        // The HBX address goes out with two digits, three from 100.
        frame = frames::dc4Frame(numeric::formatDigits(target.address, 2, 0), target.param);
        break;
    }
    return frame.toLatin1();
}

QString functionName(Function function)
{
    switch (function) {
    case Function::Dc1:
        return QStringLiteral("dc1");
    case Function::Dc2:
        return QStringLiteral("dc2");
    case Function::Dc3:
        return QStringLiteral("dc3");
    case Function::Dc4:
        return QStringLiteral("dc4");
    }
    return {};
}

QString targetLabel(const Target& target)
{
    const QString place =
        QStringLiteral("%1/%2").arg(frames::addressField(target.address), target.channel);
    switch (target.function) {
    case Function::Dc1:
        return QStringLiteral("DC1 ") + place;
    case Function::Dc2:
        return QStringLiteral("DC2 %1 P%2").arg(place, target.param);
    case Function::Dc3:
        return QStringLiteral("DC3 %1 P%2=%3").arg(place, target.param, target.value);
    case Function::Dc4:
        return QStringLiteral("HBX %1 P%2")
            .arg(numeric::formatDigits(target.address, 2, 0), target.param);
    }
    return {};
}

} // namespace diagnosis
