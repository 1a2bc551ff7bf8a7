#pragma once

#include <QList>
#include <QString>
#include <optional>

// One serial port the system offers now, as the port finder saw it.
struct FoundPort
{
    QString portName;       // "ttyUSB0"
    QString systemLocation; // "/dev/ttyUSB0", what the port is opened by today
    QString stableName;     // "/dev/serial/by-id/usb-FTDI_...-port0", empty where none
    QString description;    // "FT232R USB UART"
    QString manufacturer;   // "FTDI"
    QString serialNumber;
    std::optional<quint16> vendorId;
    std::optional<quint16> productId;
    bool busy = false;            // a live program holds the port's lock file
    std::optional<int> latencyMs; // an FTDI-type adapter's latency timer (LatencyTimer.h)

    // USB and ACM adapters; everything else is a port on the board.
    bool isAdapter() const;
    // "FT232R USB UART, FTDI, 0403:6001": the parts that are known, in that order.
    QString summary() const;
    // The name a technician knows the port by: its system name on Linux
    // ("/dev/ttyUSB0"), its own name on Windows ("COM3", opened as \\.\COM3).
    QString shownName() const;
    // "0403:6001", or empty when either number is unknown.
    QString usbIds() const;
    // "USB\\VID_0403&PID_6001\\A10K1234" for a USB adapter with a serial number,
    // which names the adapter whichever port name or socket the system gives it.
    QString usbSerialName() const;
};

// The port of `found` that `device` names, by its stable name, its system
// name or its own name ("COM3").
const FoundPort* findPort(const QList<FoundPort>& found, const QString& device);
