#pragma once

#include "diagnosis/BusScan.h"
#include "diagnosis/DegradationAlarm.h"
#include "diagnosis/DiagnosisEngine.h"
#include "diagnosis/ListenRun.h"
#include "platform/QtSerialLine.h"

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>

// What the monitor's controls may do in each state of its run.
struct RunControls
{
    bool start = true; // 开始: a run may begin (when the set-up is valid)
    bool scan = true;  // 扫描: a scan may begin
    bool stop = false; // 停止: a run or a scan may be ended
    bool setup = true; // the set-up and the scan range may change
    bool operator==(const RunControls&) const = default;
};

// The monitor's run and scan on their two engines, without a widget: whether
// a run, a scan or neither goes on, what the controls may do then, the status
// texts (port, run time, rate), and the redraw timer. Exchanges are passed on
// as they end; the pages redraw from them when redrawDue() comes.
class MonitorController : public QObject
{
    Q_OBJECT
public:
    enum class State { Idle, Running, Scanning, Stopping };
    static constexpr int kRedrawMs = 100;
    // Milliseconds from any fixed start; the rate and the run time are read from it.
    using MsClock = std::function<qint64()>;

    explicit MonitorController(QObject* parent = nullptr, MsClock clock = {});
    ~MonitorController() override;

    // False, with the text to show in `refusal`, when a run or a scan already
    // goes on (no text then) or the port cannot be opened.
    bool startRun(const diagnosis::RunPlan& plan, QString* refusal);
    bool startScan(const diagnosis::ScanPlan& plan, QString* refusal);
    // Listens to another master on the plan's ports, sending nothing: the
    // pages start with no target and get each as the master first addresses it.
    bool startListen(const diagnosis::ListenPlan& plan, QString* refusal);
    // Ends a run after the exchange in progress, a scan at once.
    void stop();
    // Ends either at once, as closing the window does.
    void stopNow();

    State state() const { return m_state; }
    RunControls controls() const;

    QString portText() const;
    QString runTimeText() const;
    QString rateText() const;

    // What the redraw timer does: works out the rate again once a second and
    // asks for a redraw. A test with a clock of its own calls it directly.
    void tick();

    // Whether something reached the pages since the last call.
    bool takeChanged() { return std::exchange(m_changed, false); }
    void markChanged() { m_changed = true; }

    diagnosis::DiagnosisEngine& engine() { return m_engine; }
    // The figures of the last run or listen, whichever was started last.
    const diagnosis::RunStatistics& statistics() const;
    // The listener of the last listen, null when the last run polled.
    const diagnosis::BusListener* listener() const;
    bool isActive() const { return m_state == State::Running || m_state == State::Stopping; }
    diagnosis::BusScan& scan() { return m_scan; }

signals:
    // Before the port is opened: the pages start afresh, whether it opens or not.
    void runStarting(const diagnosis::RunPlan& plan);
    void scanStarting(const diagnosis::ScanPlan& plan);
    void exchangeEnded(const diagnosis::ExchangeRecord& record, bool fromScan);
    // Listening: the master addressed a place for the first time.
    void targetAdded(const diagnosis::Target& target);
    // A line for the frames log: the port went away or came back.
    void portNote(const QString& text);
    void stateChanged(MonitorController::State state);
    // The status texts may read differently.
    void statusChanged();
    // Time to redraw what changed: on the timer while a run or a scan goes
    // on, and once when it ends.
    void redrawDue();

private:
    void begin(State state, const QString& port);
    void onExchange(const diagnosis::ExchangeRecord& record, bool fromScan);
    void onFinished();
    void onListened(const diagnosis::ListenedExchange& exchange);
    void noteAlarm(const diagnosis::ExchangeRecord& record);
    void setState(State state);
    qint64 runMs() const;

    diagnosis::DiagnosisEngine m_engine{std::make_unique<QtSerialLine>(), this};
    diagnosis::BusScan m_scan{std::make_unique<QtSerialLine>(), this};
    diagnosis::ListenRun m_listen{this};
    bool m_listenMode = false; // the last run started was a listen
    int m_listenTargets = 0;   // targets of this listen handed to the pages
    diagnosis::DegradationAlarm m_alarm;
    MsClock m_clock;
    QTimer m_redrawTimer;
    State m_state = State::Idle;
    QString m_port;
    QString m_portState;
    qint64 m_startMs = -1;                               // when the run began; -1 between runs
    qint64 m_lastRunMs = 0;                              // run time of the last run, once it ended
    qint64 m_rateMarkMs = 0;                             // when the rate was last worked out
    std::deque<std::pair<qint64, qint64>> m_rateSamples; // run time, exchanges, a second apart
    double m_rate = 0;
    qint64 m_exchanges = 0; // exchanges of this run seen so far
    bool m_changed = false;
};
