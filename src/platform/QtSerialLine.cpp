#include "platform/QtSerialLine.h"

#include "platform/PortMapping.h"
#include "platform/SerialDeviceOpening.h"

QtSerialLine::QtSerialLine(QObject* parent)
    : QtSerialLine([](int portNumber) { return currentPortDevice(portNumber).device; }, parent)
{
}

QtSerialLine::QtSerialLine(DeviceForPort deviceForPort, QObject* parent)
    : SerialLine(parent), m_deviceForPort(std::move(deviceForPort))
{
    connect(&m_port, &QSerialPort::readyRead, this,
            [this] { emit notification(line::kEventReceive); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLine::onErrorOccurred);
}

QtSerialLine::~QtSerialLine()
{
    // The port is a member: disconnect first so that closing it cannot call back
    // into a half-destroyed object.
    m_port.disconnect(this);
    close();
}

bool QtSerialLine::isOpen() const
{
    return m_port.isOpen();
}

void QtSerialLine::close()
{
    // QSerialPort raises NotOpenError when asked to close a closed port.
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialLine::open(int portNumber, const QString& settings, QString* error)
{
    if (!openDevice(m_deviceForPort(portNumber), settings, error))
        return false;
    emit opened(portNumber);
    return true;
}

bool QtSerialLine::openDevice(const QString& device, const QString& settings, QString* error)
{
    close();
    ++m_openCount;
    m_device = device;
    // Errors met while finding out which setting a port refused belong to
    // that probe, not to an open line.
    m_probing = true;
    const std::optional<QString> refusal = openSerialDevice(m_port, m_device, settings);
    m_probing = false;
    if (refusal) {
        if (error)
            *error = deviceReason(*refusal);
        return false;
    }
    return true;
}

void QtSerialLine::clearBuffers()
{
    if (m_port.isOpen())
        m_port.clear(QSerialPort::AllDirections);
}

void QtSerialLine::write(const QByteArray& bytes)
{
    if (!m_port.isOpen())
        return;
    m_port.write(bytes);
    // Hand the frame to the device now rather than when the event loop next
    // runs, so that it is on the line while the window repaints.
    m_port.flush();
}

QByteArray QtSerialLine::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void QtSerialLine::onErrorOccurred(QSerialPort::SerialPortError code)
{
    // NoError comes with every open(). An error raised while the port is not
    // open (a refused open, or an echo after the close below) is not a failure
    // of an open line: open() reports the former itself.
    if (code == QSerialPort::NoError || !m_port.isOpen() || m_probing)
        return;
    const QString reason = deviceReason(m_port.errorString());
    close();
    // Reported from the event loop, so that a failure met inside one of this
    // line's own calls (clearBuffers() on a line that has gone) never reaches
    // the window in the middle of its handler. A reopen in between makes the
    // report stale: the line it was about is gone.
    const quint64 openCount = m_openCount;
    QMetaObject::invokeMethod(
        this,
        [this, reason, openCount] {
            if (openCount == m_openCount)
                emit failed(reason);
        },
        Qt::QueuedConnection);
}

QString QtSerialLine::deviceReason(const QString& reason) const
{
    return QStringLiteral("%1: %2").arg(m_device, reason);
}
