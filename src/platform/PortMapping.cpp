#include "platform/PortMapping.h"

#include <QtGlobal>

QString deviceForPort(int portNumber)
{
    const QByteArray variable = QByteArrayLiteral("LINKBENCH_COM") + QByteArray::number(portNumber);
    const QString fromEnvironment = qEnvironmentVariable(variable.constData());
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}
