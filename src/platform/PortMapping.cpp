#include "platform/PortMapping.h"

#include "platform/PortChoices.h"
#include "platform/PortFinder.h"
#include "platform/PortTexts.h"
#include "platform/UserSettings.h"

#include <QRegularExpression>
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
        result.device = !port                                    ? chosen
                        : input.naming == PortNaming::ComNumbers ? port->portName
                                                                 : port->systemLocation;
        if (port)
            result.port = *port;
        return result;
    }

    const QString comName = QStringLiteral("COM%1").arg(portNumber);
    if (input.naming == PortNaming::ComNumbers) {
        if (const FoundPort* port = findPort(input.found, comName)) {
            result.port = *port;
            result.source = PortSource::Found;
        }
        result.device = comName;
        return result;
    }

    if (portNumber >= 1 && portNumber <= input.found.size()) {
        result.port = input.found.at(portNumber - 1);
        result.device = result.port->systemLocation;
        result.source = PortSource::Found;
        return result;
    }

    result.device = QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
    result.source = PortSource::Default;
    return result;
}

PortNaming nativePortNaming()
{
#ifdef Q_OS_WIN
    return PortNaming::ComNumbers;
#else
    return PortNaming::Devices;
#endif
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
    input.choices = loadPortChoices(*openSettings());
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

int comPortNumber(const QString& text)
{
    static const QRegularExpression com(QStringLiteral("^COM([1-8])$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = com.match(text);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString portSourceText(int portNumber, PortSource source, bool english)
{
    const auto words = [english](const QString& chinese, const QString& inEnglish) {
        return english ? chinese + u' ' + inEnglish : chinese;
    };
    switch (source) {
    case PortSource::Environment:
        return words(port_texts::SourceEnvironment, port_texts::SourceEnvironmentEnglish) + u' ' +
               QString::fromLatin1(portEnvironmentVariable(portNumber));
    case PortSource::Chosen:
        return words(port_texts::SourceChosen, port_texts::SourceChosenEnglish);
    case PortSource::Found:
        return words(port_texts::SourceFound, port_texts::SourceFoundEnglish);
    case PortSource::Default:
        break;
    }
    return words(port_texts::SourceDefault, port_texts::SourceDefaultEnglish);
}
