#include "platform/PortListing.h"

#include "platform/CommandLineTexts.h"
#include "platform/LatencyTimer.h"

QString portListingText(const PortMappingInput& input)
{
    QStringList lines = {commandline_texts::PortsFound};
    if (input.found.isEmpty())
        lines.append(commandline_texts::NoPortsFound);
    for (const FoundPort& port : input.found) {
        lines.append(QStringLiteral("  ") + port.shownName());
        const std::pair<const QString&, QString> fields[] = {
            {commandline_texts::StableName, port.stableName},
            {commandline_texts::Description, port.description},
            {commandline_texts::Maker, port.manufacturer},
            {commandline_texts::UsbIds, port.usbIds()},
            {commandline_texts::SerialNumber, port.serialNumber},
            {commandline_texts::Latency, latencyText(port.portName, port.latencyMs)},
        };
        for (const auto& [format, value] : fields) {
            if (!value.isEmpty())
                lines.append(format.arg(value));
        }
        lines.append(port.busy ? commandline_texts::Busy : commandline_texts::Free);
    }
    lines.append(commandline_texts::Mapping);
    for (int portNumber = 1; portNumber <= 8; ++portNumber) {
        const PortDevice device = mapPort(portNumber, input);
        lines.append(commandline_texts::MappingLine.arg(portNumber)
                         .arg(device.device, portSourceText(portNumber, device.source, true)));
    }
    return lines.join(u'\n') + u'\n';
}
