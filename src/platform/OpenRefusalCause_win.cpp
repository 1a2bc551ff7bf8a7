#include "platform/OpenRefusal.h"

#include "platform/PortFinder.h"

// Windows gives a COM port to one program at a time and refuses every other
// with "access denied", which Qt reports as PermissionError: there are no
// device permissions or lock files to look at, and the system does not say
// who holds the port.
OpenRefusal examineRefusal(QSerialPort::SerialPortError error, const QString& device,
                           const QString& systemText)
{
    Q_UNUSED(device);
    OpenRefusal refusal;
    refusal.systemText = systemText;
    if (error == QSerialPort::DeviceNotFoundError) {
        refusal.kind = OpenRefusal::Kind::Missing;
        refusal.foundNow = findRealPorts();
    } else if (error == QSerialPort::PermissionError) {
        refusal.kind = OpenRefusal::Kind::Busy;
    }
    return refusal;
}
