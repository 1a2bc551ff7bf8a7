#pragma once

#include "platform/FoundPort.h"

#include <QList>
#include <QMap>
#include <QString>
#include <functional>

// Where the device of a port entry came from, in the order the rule tries them.
enum class PortSource {
    Environment, // LINKBENCH_COMn, set and not empty
    Chosen,      // the technician's choice kept in the settings
    Found,       // the n-th real port found now
    Default,     // nothing behind the entry: /dev/ttyS(n-1), or COMn on Windows
};

// The device that port entry COMn opens, and why.
struct PortDevice
{
    QString device; // what the port is opened by
    PortSource source = PortSource::Default;
    // The port found now that the device is, when it is one (for its
    // description); null otherwise.
    std::optional<FoundPort> port;
};

// How the system names its serial ports. Linux gives device files in an order
// of its own, so COMn opens the n-th real port found; Windows names its ports
// COM1, COM2, ... itself, and there COMn opens the port Windows calls COMn.
enum class PortNaming { Devices, ComNumbers };

// The naming of the system the program runs on.
PortNaming nativePortNaming();

// Everything the rule reads: the environment, the kept choices and the real
// ports found now, in the order of realPortsInOrder().
struct PortMappingInput
{
    std::function<QString(int portNumber)> environment; // LINKBENCH_COMn's value
    QMap<int, QString> choices;                         // port number -> device
    QList<FoundPort> found;
    PortNaming naming = nativePortNaming();
};

// The rule, with no access to the system: environment, then the kept choice,
// then the n-th port found (on Windows the port named COMn), then the
// platform's default name. A choice kept by
// stable name opens the port that has that name now (ttyUSB0 may have become
// ttyUSB1); a choice that names no port found now is opened as it is.
PortDevice mapPort(int portNumber, const PortMappingInput& input);

// The input as the system gives it now: the process environment, the user's
// settings (portChoices.h) and the ports findRealPorts() sees.
PortMappingInput currentPortMappingInput();

// mapPort() over currentPortMappingInput(): what COMn opens right now. When
// LINKBENCH_COMn is set the ports are not looked for, and the device comes
// without a found port's description.
PortDevice currentPortDevice(int portNumber);

// n for a port entry "COM1".."COM8" in either case, 0 for any other text (a device path).
int comPortNumber(const QString& text);

// Where the device of port entry COMn came from, as the port tooltip says it
// ("已选择"); with `english`, as the command line's port list says it ("已选择 chosen").
QString portSourceText(int portNumber, PortSource source, bool english = false);

// The environment variable that names the device of port entry COMn.
QByteArray portEnvironmentVariable(int portNumber);
