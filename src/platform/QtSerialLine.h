#pragma once

#include "platform/SerialLine.h"

#include "platform/LineSettings.h"

#include <QSerialPort>
#include <functional>

// The serial line over QSerialPort. Port n opens the device that the port
// mapping gives (currentPortDevice() unless a test hands in its own), with flow
// control off and the modem lines left as the system sets them. A refused open
// names the device and a reason a technician can act on (OpenRefusal.h).
//
// The first error other than NoError while the port is open closes it and is
// reported once through failed(): Qt 6.4 otherwise repeats a ReadError about
// 300,000 times a second, with the port still claiming to be open, once the far
// end of a pseudo-terminal goes away. The port is closed at once (isOpen() turns
// false), and failed() follows from the event loop, never inside a call to this
// line. A later open() starts afresh.
class QtSerialLine : public SerialLine
{
    Q_OBJECT
public:
    using DeviceForPort = std::function<QString(int portNumber)>;
    explicit QtSerialLine(QObject* parent = nullptr);
    QtSerialLine(DeviceForPort deviceForPort, QObject* parent = nullptr);
    ~QtSerialLine() override;

    bool isOpen() const override;
    void close() override;
    bool open(int portNumber, const QString& settings, QString* error) override;
    bool openDevice(const QString& device, const QString& settings, QString* error) override;
    void clearBuffers() override;
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;

private:
    void onErrorOccurred(QSerialPort::SerialPortError code);
    QString deviceReason(const QString& reason) const;

    QSerialPort m_port{this}; // a child, so that a test can watch its own signals
    DeviceForPort m_deviceForPort;
    QString m_device;
    bool m_probing = false;  // finding out which setting the port refused
    quint64 m_openCount = 0; // tells a failure report from before a reopen
};
