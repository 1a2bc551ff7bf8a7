#include "monitor/MonitorController.h"

#include "monitor/MonitorTexts.h"
#include "platform/PortTexts.h"
#include "wire/WireText.h"

#include <QElapsedTimer>
#include <memory>

namespace texts = monitor_texts;

namespace {

QString clockText(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QChar(u'0'))
        .arg(s / 60 % 60, 2, 10, QChar(u'0'))
        .arg(s % 60, 2, 10, QChar(u'0'));
}

MonitorController::MsClock steadyClock()
{
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    return [since] { return since->elapsed(); };
}

} // namespace

MonitorController::MonitorController(QObject* parent, MsClock clock)
    : QObject(parent), m_clock(clock ? std::move(clock) : steadyClock())
{
    using diagnosis::BusScan;
    using diagnosis::DiagnosisEngine;
    connect(&m_engine, &DiagnosisEngine::exchangeFinished, this,
            [this](const diagnosis::ExchangeRecord& record) { onExchange(record, false); });
    connect(&m_scan.engine(), &DiagnosisEngine::exchangeFinished, this,
            [this](const diagnosis::ExchangeRecord& record) { onExchange(record, true); });
    connect(&m_engine, &DiagnosisEngine::portLost, this, [this](const QString& reason) {
        m_portState = texts::PortLost;
        m_changed = true;
        emit portNote(texts::FramesPortLost.arg(reason));
        emit statusChanged();
    });
    connect(&m_engine, &DiagnosisEngine::portBack, this, [this] {
        m_portState = texts::PortReopened.arg(m_port);
        m_changed = true;
        emit portNote(texts::FramesPortBack);
        emit statusChanged();
    });
    connect(&m_engine, &DiagnosisEngine::finished, this, &MonitorController::onFinished);
    connect(&m_listen, &diagnosis::ListenRun::exchangeFinished, this,
            &MonitorController::onListened);
    connect(&m_listen, &diagnosis::ListenRun::portLost, this, [this](const QString& reason) {
        m_portState = texts::PortLost;
        m_changed = true;
        emit portNote(texts::FramesPortLost.arg(reason));
        emit statusChanged();
    });
    connect(&m_listen, &diagnosis::ListenRun::portBack, this, [this] {
        m_portState = texts::PortReopened.arg(m_port);
        m_changed = true;
        emit portNote(texts::FramesPortBack);
        emit statusChanged();
    });
    connect(&m_scan, &BusScan::finished, this, &MonitorController::onFinished);
    m_redrawTimer.setInterval(kRedrawMs);
    connect(&m_redrawTimer, &QTimer::timeout, this, &MonitorController::tick);
}

MonitorController::~MonitorController()
{
    // Whoever listens may be going away with this controller.
    blockSignals(true);
    stopNow();
}

bool MonitorController::startRun(const diagnosis::RunPlan& plan, QString* refusal)
{
    if (m_state != State::Idle)
        return false;
    emit runStarting(plan);
    QString why;
    if (!m_engine.start(plan, &why)) {
        if (refusal)
            *refusal = port_texts::CannotOpen.arg(plan.port, why);
        return false;
    }
    m_listenMode = false;
    m_alarm = diagnosis::DegradationAlarm{};
    begin(State::Running, plan.port);
    return true;
}

bool MonitorController::startScan(const diagnosis::ScanPlan& plan, QString* refusal)
{
    if (m_state != State::Idle)
        return false;
    emit scanStarting(plan);
    QString why;
    if (!m_scan.start(plan, &why)) {
        if (refusal)
            *refusal = port_texts::CannotOpen.arg(plan.port, why);
        return false;
    }
    begin(State::Scanning, plan.port);
    return true;
}

bool MonitorController::startListen(const diagnosis::ListenPlan& plan, QString* refusal)
{
    if (m_state != State::Idle)
        return false;
    diagnosis::RunPlan pages;
    pages.port = plan.port;
    pages.settings = plan.settings;
    pages.timeoutMs = plan.timeoutMs;
    emit runStarting(pages);
    QString why;
    if (!m_listen.start(plan, &why)) {
        if (refusal)
            *refusal = port_texts::CannotOpen.arg(plan.port, why);
        return false;
    }
    m_listenMode = true;
    m_listenTargets = 0;
    m_alarm = diagnosis::DegradationAlarm{};
    begin(State::Running, plan.port);
    return true;
}

void MonitorController::onListened(const diagnosis::ListenedExchange& exchange)
{
    const diagnosis::ExchangeRecord& record = exchange.record;
    if (exchange.unpaired) {
        m_changed = true;
        emit portNote(texts::FramesUnpaired.arg(wire::namedBytes(record.reply)));
        return;
    }
    const QList<diagnosis::Target>& targets = m_listen.listener().targets();
    while (m_listenTargets < targets.size())
        emit targetAdded(targets[m_listenTargets++]);
    onExchange(record, false);
}

const diagnosis::RunStatistics& MonitorController::statistics() const
{
    return m_listenMode ? m_listen.listener().statistics() : m_engine.statistics();
}

const diagnosis::BusListener* MonitorController::listener() const
{
    return m_listenMode ? &m_listen.listener() : nullptr;
}

// A scan starts its rate afresh as a run does, rather than showing the last run's.
void MonitorController::begin(State state, const QString& port)
{
    m_port = port;
    m_portState = texts::PortOpen.arg(port);
    m_exchanges = 0;
    m_rate = 0;
    m_rateMarkMs = 0;
    m_rateSamples = {{0, 0}};
    m_startMs = m_clock();
    setState(state);
}

void MonitorController::stop()
{
    const State was = m_state;
    if (was == State::Running || was == State::Scanning)
        setState(State::Stopping);
    // Either may end the run before returning, which makes the state Idle again.
    if (was == State::Running && m_listen.isRunning()) {
        m_listen.stop();
        onFinished();
    } else if (was == State::Running)
        m_engine.stopAfterExchange();
    else if (was == State::Scanning)
        m_scan.stop();
}

void MonitorController::stopNow()
{
    if (m_listen.isRunning()) {
        m_listen.stop();
        onFinished();
    }
    m_engine.stop();
    m_scan.stop();
}

RunControls MonitorController::controls() const
{
    // start, scan, stop, setup
    switch (m_state) {
    case State::Idle:
        return {};
    case State::Running:
    case State::Scanning:
        return {false, false, true, false};
    case State::Stopping:
        return {false, false, false, false};
    }
    return {};
}

void MonitorController::onExchange(const diagnosis::ExchangeRecord& record, bool fromScan)
{
    ++m_exchanges;
    m_changed = true;
    emit exchangeEnded(record, fromScan);
    if (!fromScan)
        noteAlarm(record);
}

// A target's success over its last commands, raised and cleared once each,
// as a line of the frames page and a count in the status bar.
void MonitorController::noteAlarm(const diagnosis::ExchangeRecord& record)
{
    const auto change = m_alarm.record(record.targetIndex, !diagnosis::isFailure(record.outcome));
    if (!change)
        return;
    const QString target = diagnosis::targetLabel(record.target);
    const QString percent = QString::number(change->successPercent, 'f', 1);
    const int window = m_alarm.settings().window;
    emit portNote(change->raised ? texts::AlarmRaised.arg(target).arg(window).arg(percent).arg(
                                       m_alarm.settings().belowPercent)
                                 : texts::AlarmCleared.arg(target).arg(window).arg(percent));
    emit statusChanged();
}

void MonitorController::onFinished()
{
    if (m_engine.isRunning() || m_scan.isRunning())
        return;
    m_lastRunMs = runMs();
    m_startMs = -1;
    m_portState = texts::PortClosed;
    m_changed = true;
    setState(State::Idle);
    emit redrawDue();
}

void MonitorController::setState(State state)
{
    m_state = state;
    if (state == State::Idle)
        m_redrawTimer.stop();
    else
        m_redrawTimer.start();
    emit stateChanged(state);
    emit statusChanged();
}

qint64 MonitorController::runMs() const
{
    return m_startMs < 0 ? m_lastRunMs : m_clock() - m_startMs;
}

void MonitorController::tick()
{
    // Over the last five seconds: one time-out would make a one-second
    // figure jump to nothing and back.
    const qint64 ms = runMs();
    if (m_startMs >= 0 && ms - m_rateMarkMs >= 1000) {
        m_rateSamples.emplace_back(ms, m_exchanges);
        while (m_rateSamples.size() > 6)
            m_rateSamples.pop_front();
        const auto& [fromMs, fromDone] = m_rateSamples.front();
        if (ms > fromMs)
            m_rate = double(m_exchanges - fromDone) * 1000.0 / double(ms - fromMs);
        m_rateMarkMs = ms;
    }
    emit redrawDue();
}

QString MonitorController::portText() const
{
    return m_portState.isEmpty() ? texts::PortClosed : m_portState;
}

QString MonitorController::runTimeText() const
{
    return texts::RunTime.arg(clockText(runMs()));
}

QString MonitorController::rateText() const
{
    const QString rate = texts::Rate.arg(m_startMs >= 0 ? m_rate : 0.0, 0, 'f', 1);
    const int alarms = m_alarm.raisedCount();
    return alarms > 0 ? texts::AlarmsStanding.arg(alarms) + QStringLiteral("  ") + rate : rate;
}
