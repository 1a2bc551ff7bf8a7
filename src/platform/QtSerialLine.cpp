#include "platform/QtSerialLine.h"

#include "platform/OpenRefusal.h"
#include "platform/PortMapping.h"
#include "platform/PortTexts.h"

QtSerialLine::QtSerialLine(QObject* parent)
    : QtSerialLine([](int portNumber) { return currentPortDevice(portNumber).device; }, parent)
{
}

QtSerialLine::QtSerialLine(DeviceForPort deviceForPort, QObject* parent)
    : SerialLine(parent), m_deviceForPort(std::move(deviceForPort))
{
    connect(&m_port, &QSerialPort::readyRead, this, [this] { emit notification(kEventReceive); });
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
    close();
    ++m_openCount;
    m_device = m_deviceForPort(portNumber);

    QString refusal;
    const std::optional<LineSettings> line = parseLineSettings(settings, &refusal);
#ifndef Q_OS_WIN
    if (line && line->stopBits == QSerialPort::OneAndHalfStop)
        refusal = kSettingsStopBitsUnsupported.arg(settings);
#endif
    if (!line || !refusal.isEmpty()) {
        if (error)
            *error = deviceReason(refusal);
        return false;
    }

    if (!openWith(*line)) {
        const QSerialPort::SerialPortError code = m_port.error();
        QString reason = refusalReason(code, m_device, m_port.errorString());
        if (code == QSerialPort::UnsupportedOperationError)
            reason = refusedSetting(*line, settings, reason);
        if (error)
            *error = deviceReason(reason);
        return false;
    }
    emit opened(portNumber);
    return true;
}

bool QtSerialLine::openWith(const LineSettings& line)
{
    m_port.setPortName(m_device);
    m_port.setBaudRate(line.baudRate);
    m_port.setParity(line.parity);
    m_port.setDataBits(line.dataBits);
    m_port.setStopBits(line.stopBits);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    return m_port.open(QIODevice::ReadWrite);
}

QString QtSerialLine::refusedSetting(const LineSettings& line, const QString& settings,
                                     const QString& otherwise)
{
    // Qt does not say which setting the port refused: the port is opened
    // with settings every port takes, and the line's are tried one by one.
    // Errors met on the way belong to this probe, not to an open line.
    LineSettings plain;
    plain.stopBits = QSerialPort::OneStop;
    QString reason = otherwise;
    m_probing = true;
    if (openWith(plain)) {
        const QString which = applySettings(line, settings);
        if (!which.isEmpty())
            reason = which;
    }
    close();
    m_probing = false;
    return reason;
}

QString QtSerialLine::applySettings(const LineSettings& line, const QString& settings)
{
    // Named as the settings text has it ("e", "1.5"), not by Qt's numbers.
    const QStringList items = settings.split(u',');
    auto refused = [&](const QString& setting, int item) {
        return porttexts::SettingRefused.arg(setting, items.value(item).trimmed());
    };
    if (!m_port.setBaudRate(line.baudRate))
        return refused(porttexts::SettingSpeed, 0);
    if (!m_port.setParity(line.parity))
        return refused(porttexts::SettingParity, 1);
    if (!m_port.setDataBits(line.dataBits))
        return refused(porttexts::SettingDataBits, 2);
    if (!m_port.setStopBits(line.stopBits))
        return refused(porttexts::SettingStopBits, 3);
    return {};
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
