#include "diagnosis/ListenRun.h"

#include "diagnosis/DiagnosisPort.h"
#include "platform/LineSettings.h"
#include "platform/SerialDeviceOpening.h"

#include <algorithm>

namespace diagnosis {

namespace {

constexpr int kReopenIntervalMs = 1000;

} // namespace

ListenRun::ListenRun(QObject* parent) : QObject(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        m_listener->advance(nowUs());
        armDeadline();
    });
    m_reopen.setInterval(kReopenIntervalMs);
    connect(&m_reopen, &QTimer::timeout, this, &ListenRun::tryReopen);
}

ListenRun::~ListenRun()
{
    stop();
}

QString ListenRun::deviceOf(int line) const
{
    return deviceForPortText(line == 0 ? m_plan.port : m_plan.port2);
}

bool ListenRun::start(const ListenPlan& plan, QString* refusal)
{
    stop();
    m_plan = plan;
    m_lines = plan.port2.isEmpty() ? 1 : 2;
    m_baud = parseLineSettings(plan.settings).value_or(LineSettings{}).baudRate;
    for (int line = 0; line < m_lines; ++line) {
        m_ports[std::size_t(line)] = std::make_unique<QSerialPort>();
        QSerialPort* port = m_ports[std::size_t(line)].get();
        connect(port, &QSerialPort::readyRead, this, [this, line] { onReadable(line); });
        connect(port, &QSerialPort::errorOccurred, this,
                [this, line](QSerialPort::SerialPortError code) { onError(line, code); });
        if (!openLine(line, refusal)) {
            stop();
            return false;
        }
    }
    ListenSettings settings;
    settings.timeoutMs = plan.timeoutMs;
    settings.checkField = plan.checkField;
    settings.baud = m_baud;
    m_clock.start();
    m_lastReadUs = -1;
    m_shortestReadGapUs = -1;
    m_listener = std::make_unique<BusListener>(
        settings, QDateTime::currentDateTime(),
        [this](const ListenedExchange& x) { emit exchangeFinished(x); });
    m_running = true;
    return true;
}

bool ListenRun::openLine(int line, QString* refusal)
{
    QSerialPort& port = *m_ports[std::size_t(line)];
    const QString device = deviceOf(line);
    const std::optional<QString> reason =
        openSerialDevice(port, device, m_plan.settings, QIODevice::ReadOnly);
    if (reason) {
        if (refusal)
            *refusal = QStringLiteral("%1: %2").arg(device, *reason);
        return false;
    }
    // What the system queued before we listened is of unknown age: the
    // listen starts with the bytes that come from now on.
    port.clear(QSerialPort::Input);
    return true;
}

void ListenRun::stop()
{
    m_running = false;
    m_deadline.stop();
    m_reopen.stop();
    for (std::unique_ptr<QSerialPort>& port : m_ports) {
        if (port) {
            port->disconnect(this);
            port->close();
            port.reset();
        }
    }
}

void ListenRun::onReadable(int line)
{
    QSerialPort& port = *m_ports[std::size_t(line)];
    const QByteArray bytes = port.readAll();
    if (bytes.isEmpty() || !m_listener)
        return;
    const qint64 atUs = nowUs();
    if (m_lastReadUs >= 0 && (m_shortestReadGapUs < 0 || atUs - m_lastReadUs < m_shortestReadGapUs))
        m_shortestReadGapUs = atUs - m_lastReadUs;
    m_lastReadUs = atUs;
    m_listener->take(line, bytes, atUs);
    armDeadline();
}

void ListenRun::armDeadline()
{
    const std::optional<qint64> deadline = m_listener->deadlineUs();
    if (!deadline) {
        m_deadline.stop();
        return;
    }
    // Rounded up, so that the timer never fires just short of the time-out.
    const qint64 waitMs = (*deadline - nowUs() + 999) / 1000;
    m_deadline.start(int(std::clamp<qint64>(waitMs, 0, 24LL * 3600 * 1000)));
}

void ListenRun::onError(int line, QSerialPort::SerialPortError code)
{
    QSerialPort& port = *m_ports[std::size_t(line)];
    // NoError comes with every open; errors of a closed port are echoes.
    if (code == QSerialPort::NoError || !port.isOpen())
        return;
    const QString reason = QStringLiteral("%1: %2").arg(deviceOf(line), port.errorString());
    // Closed at once: Qt repeats some errors endlessly while the port stays open.
    port.close();
    emit portLost(reason);
    m_reopen.start();
}

void ListenRun::tryReopen()
{
    bool allOpen = true;
    for (int line = 0; line < m_lines; ++line) {
        if (m_ports[std::size_t(line)]->isOpen())
            continue;
        if (openLine(line, nullptr))
            emit portBack(deviceOf(line));
        else
            allOpen = false;
    }
    if (allOpen)
        m_reopen.stop();
}

} // namespace diagnosis
