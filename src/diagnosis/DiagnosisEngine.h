#pragma once

#include "diagnosis/ExchangeRecord.h"
#include "diagnosis/ResponseStatistics.h"
#include "diagnosis/RunPlan.h"
#include "diagnosis/SendSchedule.h"
#include "platform/SerialLine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

namespace diagnosis {

enum class RunEnd {
    Completed, // the count or the duration was reached
    Stopped,   // stop() or stopAfterExchange()
};

// Runs a plan over one serial line held open for the whole run: sends the targets
// round-robin on the schedule, ends each exchange at its reply's end or its
// time-out, judges it, keeps the statistics and reports each exchange.
//
// Bytes that arrive between exchanges are never taken as a reply: after a
// time-out they are counted as late against the exchange that timed out, and
// the next send waits until the line has been quiet for the gap. A complete
// framed reply that comes during the next exchange and names the timed-out
// exchange's place rather than the current one is counted late as well, and
// so is the rest of a late reply whose start came before the send.
//
// A port that fails during a run pauses it: portLost() once, the exchange in
// progress is abandoned uncounted, and the port is tried again about once a
// second until it opens (portBack(), the run goes on) or stop() is called.
//
// Everything runs on the thread the engine lives on, driven by its event loop.
class DiagnosisEngine : public QObject
{
    Q_OBJECT
public:
    // Runs over `line`: a QtSerialLine in the programs.
    explicit DiagnosisEngine(std::unique_ptr<SerialLine> line, QObject* parent = nullptr);
    ~DiagnosisEngine() override;

    // Opens the port and sends the first command at once. False, with
    // `refusal` set, when the plan has no target or the port cannot be opened.
    bool start(const RunPlan& plan, QString* refusal = nullptr);
    // Ends the run at once: the exchange in progress is dropped uncounted, no
    // more signals about it come, the port is closed and finished(Stopped) is
    // emitted before this returns. Nothing happens when no run is going.
    void stop();
    // Ends the run once the exchange in progress has ended (at once between
    // exchanges or while the port is lost).
    void stopAfterExchange();

    bool isRunning() const { return m_state != State::Idle; }
    bool isPortLost() const { return m_state == State::PortLost; }
    const RunPlan& plan() const { return m_plan; }
    const RunStatistics& statistics() const { return m_statistics; }
    qint64 exchangesDone() const { return m_sequence - (m_state == State::Awaiting ? 1 : 0); }
    // The line speed of the run, bit/s.
    int baud() const { return m_baud; }

signals:
    void exchangeFinished(const diagnosis::ExchangeRecord& record);
    // Bytes that came after exchange `sequence` (to target `targetIndex`) had
    // timed out; counted as late and discarded.
    void lateBytes(qint64 sequence, int targetIndex, const QByteArray& bytes);
    // After each exchange: exchanges done and planned (-1 with no count).
    void progress(qint64 done, qint64 planned);
    void portLost(const QString& reason);
    void portBack();
    void finished(diagnosis::RunEnd end);

private:
    enum class State { Idle, Waiting, Awaiting, PortLost };

    qint64 nowUs() const { return m_clock.nsecsElapsed() / 1000; }
    void sendNext();
    void armSend(qint64 dueUs);
    void onReceived();
    void takeBetweenExchanges(const QByteArray& bytes, qint64 atUs);
    bool isPreviousReply(const QByteArray& reply) const;
    void countLate(qint64 sequence, int targetIndex, const QByteArray& bytes, bool first);
    void finishExchange(const QByteArray& reply, std::optional<qint64> endUs);
    void openedPort();
    void onTimeout();
    void onLineFailed(const QString& reason);
    void tryReopen();
    void endRun(RunEnd end);
    bool runIsOver() const;

    RunPlan m_plan;
    RunStatistics m_statistics;
    std::unique_ptr<SerialLine> m_line;
    QTimer* m_sendTimer;
    QTimer* m_timeoutTimer;
    QTimer* m_reopenTimer;
    QElapsedTimer m_clock;
    SendSchedule m_schedule{0, 0};
    State m_state = State::Idle;
    int m_baud = 9600;
    bool m_stopRequested = false;
    qint64 m_runStartUs = 0;
    qint64 m_sequence = 0;       // exchanges sent so far
    qint64 m_sentUs = 0;         // the current exchange's send, handed to the device
    ExchangeRecord m_current;    // the exchange in progress, or the last one
    QByteArray m_received;       // reply bytes of the exchange in progress
    bool m_lastTimedOut = false; // the last exchange ended in its time-out
    bool m_lateSeen = false;     // late bytes of the last exchange were counted
    // The exchange before the one in progress, for a late reply that only
    // comes after the next send.
    qint64 m_previousSequence = 0;
    int m_previousTargetIndex = 0;
    bool m_previousTimedOut = false;
    bool m_previousLateSeen = false;
    QList<QByteArray> m_frames; // the command of each target
};

} // namespace diagnosis

Q_DECLARE_METATYPE(diagnosis::RunEnd)
