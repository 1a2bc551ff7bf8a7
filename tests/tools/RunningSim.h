#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <functional>

// The linkbench-sim binary started for a test; killed when the test ends.
class RunningSim
{
public:
    RunningSim() = default;
    RunningSim(const RunningSim&) = delete;
    RunningSim& operator=(const RunningSim&) = delete;
    ~RunningSim()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Starts the simulator and reads the device path from its first line of
    // output. False if it did not start or said nothing within five seconds.
    bool start(const QStringList& arguments)
    {
        m_process.start(QStringLiteral(LINKBENCH_SIM_PATH), arguments);
        if (!m_process.waitForStarted(5000))
            return false;
        QDeadlineTimer deadline(5000);
        while (!m_process.canReadLine() && !deadline.hasExpired()) {
            if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
                break;
        }
        if (!m_process.canReadLine())
            return false;
        m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        return !m_device.isEmpty();
    }

    QString device() const { return m_device; }
    QProcess& process() { return m_process; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
    QString m_device;
};

// Opens the device the way the tool does at every Start: 8 data bits, no
// parity, two stop bits, buffers emptied.
inline bool openLikeTheTool(QSerialPort& port, const QString& device, qint32 baud = 9600)
{
    port.setPortName(device);
    port.setBaudRate(baud);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::TwoStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.clear();
    return true;
}

// Writes `frame` and gathers the chunks that come back until `complete` says
// the reply is whole or `timeoutMs` has passed.
inline QByteArrayList exchange(QSerialPort& port, const QByteArray& frame,
                               const std::function<bool(const QByteArray&)>& complete,
                               int timeoutMs)
{
    port.write(frame);
    port.waitForBytesWritten(timeoutMs);
    QByteArrayList chunks;
    QByteArray all;
    QDeadlineTimer deadline(timeoutMs);
    while (!complete(all) && !deadline.hasExpired()) {
        if (!port.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1))))
            continue;
        const QByteArray chunk = port.readAll();
        if (!chunk.isEmpty()) {
            chunks << chunk;
            all += chunk;
        }
    }
    return chunks;
}

inline bool endsWithEtbOrAcknowledges(const QByteArray& all)
{
    return all.contains('\x17') || all.contains('\x06') || all.contains('\x15');
}
