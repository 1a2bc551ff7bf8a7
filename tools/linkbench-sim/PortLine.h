#pragma once

#include "SimLine.h"
#include "platform/LineSettings.h"

#include <QSerialPort>
#include <QTimer>

// A real serial port (the far end of a null-modem cable, a second RS-485
// adapter). The port takes the wire time itself. After a port error it is
// closed and opened again every second, so a pulled adapter can come back.
namespace sim {

class PortLine : public SimLine
{
    Q_OBJECT
public:
    PortLine(const QString& path, const LineSettings& settings, QObject* parent = nullptr);

    bool open(QString* error);

    QString devicePath() const override { return m_path; }
    void write(const QByteArray& bytes) override;
    bool pacesItself() const override { return true; }

private:
    void onError(QSerialPort::SerialPortError code);

    QString m_path;
    LineSettings m_settings;
    QSerialPort m_port;
    QTimer m_reopen;
};

} // namespace sim
