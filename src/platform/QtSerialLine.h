#pragma once

#include "platform/SerialLine.h"

#include <QSerialPort>

// The serial line over QSerialPort. Port n opens the device of deviceForPort(n)
// with flow control off and the modem lines left as the system sets them.
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
    explicit QtSerialLine(QObject* parent = nullptr);
    ~QtSerialLine() override;

    bool isOpen() const override;
    void close() override;
    bool open(int portNumber, const QString& settings, QString* error) override;
    void clearBuffers() override;
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;

private:
    void onErrorOccurred(QSerialPort::SerialPortError code);
    QString deviceReason(const QString& reason) const;

    QSerialPort m_port{this}; // a child, so that a test can watch its own signals
    QString m_device;
    quint64 m_openCount = 0; // tells a failure report from before a reopen
};
