#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The linkbench-sim binary started for a test; killed when the test ends. Its
// exchange log (standard error, one line per command) is gathered while the
// test's event loop runs, so the pipe never fills.
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

    // The exchange lines logged so far, each without its "hh:mm:ss.zzz " time.
    QStringList exchanges()
    {
        m_log += QString::fromLocal8Bit(m_process.readAllStandardError());
        QStringList lines;
        static const QRegularExpression timed(
            QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (.*)$"));
        const QStringList all = m_log.split(u'\n');
        // The last piece is an unfinished line, or empty after a line end.
        for (qsizetype i = 0; i + 1 < all.size(); ++i) {
            const QRegularExpressionMatch match = timed.match(all[i]);
            if (match.hasMatch())
                lines << match.captured(1);
        }
        return lines;
    }
    QProcess& process() { return m_process; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
    QString m_device;
    QString m_log;
};
