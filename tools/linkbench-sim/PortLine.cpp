#include "PortLine.h"

#include "platform/SerialDeviceOpening.h"

namespace sim {

namespace {

constexpr int kReopenMs = 1000;

} // namespace

PortLine::PortLine(const QString& path, const QString& settings, QObject* parent)
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
    const std::optional<QString> refusal = openSerialDevice(m_port, m_path, m_settings);
    if (refusal)
        *error = *refusal;
    return !refusal;
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
