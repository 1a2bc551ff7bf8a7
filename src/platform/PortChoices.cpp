#include "platform/PortChoices.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

QString keyFor(int portNumber)
{
    return QStringLiteral("ports/COM%1").arg(portNumber);
}

} // namespace

QMap<int, QString> loadPortChoices(QSettings& settings)
{
    QMap<int, QString> choices;
    for (int portNumber = 1; portNumber <= 8; ++portNumber) {
        const QString device = settings.value(keyFor(portNumber)).toString();
        if (!device.isEmpty())
            choices.insert(portNumber, device);
    }
    return choices;
}

void storePortChoice(QSettings& settings, int portNumber, const QString& device)
{
    if (device.isEmpty())
        settings.remove(keyFor(portNumber));
    else
        settings.setValue(keyFor(portNumber), device);
    settings.sync();
}

void setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("LinkBench"));
    QCoreApplication::setApplicationName(QStringLiteral("linkbench"));
}
