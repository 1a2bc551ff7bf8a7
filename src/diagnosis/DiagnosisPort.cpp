#include "diagnosis/DiagnosisPort.h"

#include "platform/PortMapping.h"

#include <QRegularExpression>

namespace diagnosis {

QString deviceForPortText(const QString& portText)
{
    const int portNumber = comPortNumber(portText);
    return portNumber > 0 ? currentPortDevice(portNumber).device : portText;
}

} // namespace diagnosis
