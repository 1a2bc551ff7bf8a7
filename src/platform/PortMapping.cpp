#include "platform/PortMapping.h"

#include "platform/PortChoices.h"
#include "platform/PortFinder.h"

#include <QSettings>

PortDevice mapPort(int portNumber, const PortMappingInput& input)
{
    PortDevice result;
    const QString fromEnvironment = input.environment ? input.environment(portNumber) : QString();
    if (!fromEnvironment.isEmpty()) {
        result.device = fromEnvironment;
        result.source = PortSource::Environment;
        if (const FoundPort* port = findPort(input.found, fromEnvironment))
            result.port = *port;
        return result;
    }

    const QString chosen = input.choices.value(portNumber);
    if (!chosen.isEmpty()) {
        result.source = PortSource::Chosen;
        const FoundPort* port = findPort(input.found, chosen);
        result.device = port ? port->systemLocation : chosen;
        if (port)
            result.port = *port;
        return result;
    }

    if (portNumber >= 1 && portNumber <= input.found.size()) {
        result.port = input.found.at(portNumber - 1);
        result.device = result.port->systemLocation;
        result.source = PortSource::Found;
        return result;
    }

#ifdef Q_OS_WIN
    result.device = QStringLiteral("COM%1").arg(portNumber);
#else
    result.device = QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
    result.source = PortSource::Default;
    return result;
}

QByteArray portEnvironmentVariable(int portNumber)
{
    return QByteArrayLiteral("LINKBENCH_COM") + QByteArray::number(portNumber);
}

PortMappingInput currentPortMappingInput()
{
    PortMappingInput input;
    input.environment = [](int portNumber) {
        return qEnvironmentVariable(portEnvironmentVariable(portNumber).constData());
    };
    QSettings settings;
    input.choices = loadPortChoices(settings);
    input.found = findRealPorts();
    return input;
}

PortDevice currentPortDevice(int portNumber)
{
    // The variable wins over everything else, so the ports are not looked
    // for when it is set: tests and the simulator open their pty at once.
    const QString fromEnvironment =
        qEnvironmentVariable(portEnvironmentVariable(portNumber).constData());
    if (!fromEnvironment.isEmpty())
        return PortDevice{fromEnvironment, PortSource::Environment, std::nullopt};
    return mapPort(portNumber, currentPortMappingInput());
}
