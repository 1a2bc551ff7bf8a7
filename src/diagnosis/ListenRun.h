#pragma once

#include "diagnosis/BusListener.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <array>
#include <memory>

namespace diagnosis {

// What a listen is told: one port, or two (a four-wire bus, or one
// receive-only adapter per direction), the line settings and the time-out.
struct ListenPlan
{
    QString port;  // "COM1".."COM8" or a device path
    QString port2; // empty: one port
    QString settings = QStringLiteral("9600,n,8,2");
    int timeoutMs = 3000;
    bool checkField = true;
};

// Listens to a bus over one or two ports opened read-only: nothing is ever
// written to them. Each read is stamped as it comes and handed to the
// BusListener, and a command's time-out is kept by a timer, so a silent bus
// still ends its last command. A port that fails is closed, reported once and
// tried again about once a second while the other goes on.
class ListenRun : public QObject
{
    Q_OBJECT
public:
    explicit ListenRun(QObject* parent = nullptr);
    ~ListenRun() override;

    // False, with `refusal` naming the port and the reason, when a port cannot
    // be opened; then none is left open.
    bool start(const ListenPlan& plan, QString* refusal);
    void stop();
    bool isRunning() const { return m_running; }

    const ListenPlan& plan() const { return m_plan; }
    // Valid from start() on, until the next start().
    const BusListener& listener() const { return *m_listener; }
    int baud() const { return m_baud; }
    // The shortest time between two reads so far, -1 before two: what the
    // response times cannot resolve below.
    qint64 shortestReadGapUs() const { return m_shortestReadGapUs; }

signals:
    void exchangeFinished(const diagnosis::ListenedExchange& exchange);
    void portLost(const QString& reason);
    void portBack(const QString& device);

private:
    qint64 nowUs() const { return m_clock.nsecsElapsed() / 1000; }
    QString deviceOf(int line) const;
    bool openLine(int line, QString* refusal);
    void onReadable(int line);
    void onError(int line, QSerialPort::SerialPortError code);
    void tryReopen();
    void armDeadline();

    ListenPlan m_plan;
    bool m_running = false;
    int m_lines = 1;
    int m_baud = 9600;
    std::array<std::unique_ptr<QSerialPort>, BusListener::kLines> m_ports;
    std::unique_ptr<BusListener> m_listener;
    QElapsedTimer m_clock;
    qint64 m_lastReadUs = -1;
    qint64 m_shortestReadGapUs = -1;
    QTimer m_deadline;
    QTimer m_reopen;
};

} // namespace diagnosis
