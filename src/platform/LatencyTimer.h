#pragma once

#include <QString>
#include <optional>

class QSettings;

// The latency timer of an FTDI-type USB adapter: the adapter holds the bytes it
// receives until its buffer fills or the timer runs out (16 ms unless set), so
// every response time measured through it may be up to that much longer than
// the instrument's own.

// Linux: the timer in ms from <usbSerialFolder>/<tty>/latency_timer
// (/sys/bus/usb-serial/devices/ttyUSB0/latency_timer); nothing for a port
// that has none (a UART on the board, an ACM modem, a pseudo-terminal).
std::optional<int> latencyFromSysfs(const QString& usbSerialFolder, const QString& portName);

// Windows: the FTDI driver keeps the timer as the value LatencyTimer beside
// the port's name PortName ("COM3"), in <device>/<instance>/Device Parameters
// below HKLM\SYSTEM\CurrentControlSet\Enum\FTDIBUS, which `ftdibus` reads.
std::optional<int> latencyFromRegistry(QSettings& ftdibus, const QString& portName);

// The timer of the port named `portName` ("ttyUSB0", "COM3") on this system.
std::optional<int> latencyTimerOf(const QString& portName);

// How to set the timer of that port to 1 ms on this system, in Chinese.
QString latencyAdvice(const QString& portName);

// "16 ms", and how to set it to 1 ms when it is longer; empty when unknown.
QString latencyText(const QString& portName, std::optional<int> latencyMs);

// latencyText() of the port found now that `device` names; empty when no such
// port is found or it has no latency timer.
QString latencyTextOfDevice(const QString& device);
