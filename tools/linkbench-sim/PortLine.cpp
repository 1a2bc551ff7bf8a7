#include "PortLine.h"

namespace sim {

namespace {

constexpr int kReopenMs = 1000;

} // namespace

PortLine::PortLine(const QString& path, const LineSettings& settings, QObject* parent)
    : SimLine(parent), m_path(path), m_settings(settings)
{
    m_reopen.setSingleShot(true);
    m_reopen.setInterval(kReopenMs);
    connect(&m_reopen, &QTimer::timeout, this, [this] {
        QString error;
        if (!open(&error))
            m_reopen.start();
    });
    connect(&m_port, &QSerialPort::readyRead, this, [this] { emit received(m_port.readAll()); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &PortLine::onError);
}

bool PortLine::open(QString* error)
{
    m_port.setPortName(m_path);
    m_port.setBaudRate(m_settings.baudRate);
    m_port.setParity(m_settings.parity);
    m_port.setDataBits(m_settings.dataBits);
    m_port.setStopBits(m_settings.stopBits);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (m_port.open(QIODevice::ReadWrite))
        return true;
    *error = m_port.errorString();
    return false;
}

void PortLine::write(const QByteArray& bytes)
{
    if (m_port.isOpen())
        m_port.write(bytes);
}

void PortLine::onError(QSerialPort::SerialPortError code)
{
    // Every open() starts with NoError; and a failing port may report the same
    // error endlessly while it stays open, so close it on the first one.
    if (code == QSerialPort::NoError || !m_port.isOpen())
        return;
    emit problem(m_port.errorString());
    m_port.close();
    m_reopen.start();
}

} // namespace sim
