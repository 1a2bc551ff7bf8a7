#include "diagnosis/DiagnosisPort.h"

#include "platform/PortMapping.h"

#include <QRegularExpression>

namespace diagnosis {

QString deviceForPortText(const QString& portText)
{
    static const QRegularExpression comPort(QStringLiteral("^COM([1-8])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPort.match(portText);
    if (match.hasMatch())
        return currentPortDevice(match.captured(1).toInt()).device;
    return portText;
}

} // namespace diagnosis
