#pragma once

#include "SimLine.h"

#include <QSerialPort>
#include <QTimer>

// A real serial port (the far end of a null-modem cable, a second RS-485
// adapter), opened as the window opens its port, so that both give the same
// reasons when it cannot be. The port takes the wire time itself. After a
// port error it is closed and opened again every second, so a pulled adapter
// can come back.
namespace sim {

class PortLine : public SimLine
{
    Q_OBJECT
public:
    // `settings` as the tool's list writes them ("9600,n,8,2").
    PortLine(const QString& path, const QString& settings, QObject* parent = nullptr);

    bool open(QString* error);

    QString devicePath() const override { return m_path; }
    void write(const QByteArray& bytes) override;
    bool pacesItself() const override { return true; }

private:
    void onError(QSerialPort::SerialPortError code);

    QString m_path;
    QString m_settings;
    QSerialPort m_port;
    QTimer m_reopen;
};

} // namespace sim
