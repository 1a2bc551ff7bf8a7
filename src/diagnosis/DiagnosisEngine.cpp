#include "diagnosis/DiagnosisEngine.h"

#include "diagnosis/DiagnosisPort.h"
#include "diagnosis/DiagnosisTexts.h"
#include "diagnosis/ReplyJudgement.h"
#include "platform/LineSettings.h"
#include "wire/ControlChars.h"
#include "wire/ReplyFrame.h"

#include <algorithm>

namespace diagnosis {

namespace {

constexpr int kReopenIntervalMs = 1000;

} // namespace

DiagnosisEngine::DiagnosisEngine(std::unique_ptr<SerialLine> line, QObject* parent)
    : QObject(parent), m_line(std::move(line)), m_sendTimer(new QTimer(this)),
      m_timeoutTimer(new QTimer(this)), m_reopenTimer(new QTimer(this))
{
    qRegisterMetaType<diagnosis::ExchangeRecord>();
    qRegisterMetaType<diagnosis::RunEnd>();
    for (QTimer* timer : {m_sendTimer, m_timeoutTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    m_reopenTimer->setInterval(kReopenIntervalMs);
    connect(m_sendTimer, &QTimer::timeout, this, &DiagnosisEngine::sendNext);
    connect(m_timeoutTimer, &QTimer::timeout, this, &DiagnosisEngine::onTimeout);
    connect(m_reopenTimer, &QTimer::timeout, this, &DiagnosisEngine::tryReopen);
    connect(m_line.get(), &SerialLine::notification, this, &DiagnosisEngine::onReceived);
    connect(m_line.get(), &SerialLine::failed, this, &DiagnosisEngine::onLineFailed);
}

DiagnosisEngine::~DiagnosisEngine()
{
    // No signal may reach a half-destroyed engine while the line closes.
    m_line->disconnect(this);
    m_line->close();
}

bool DiagnosisEngine::start(const RunPlan& plan, QString* refusal)
{
    stop();
    if (plan.targets.isEmpty()) {
        if (refusal)
            *refusal = diagnosis_texts::NoTargets;
        return false;
    }
    if (!m_line->openDevice(deviceForPortText(plan.port), plan.settings, refusal))
        return false;

    m_plan = plan;
    // The line has refused a settings text that does not read.
    m_baud = parseLineSettings(plan.settings).value_or(LineSettings{}).baudRate;
    m_statistics = RunStatistics{};
    m_statistics.perTarget.assign(std::size_t(plan.targets.size()), ResponseStatistics{});
    m_frames.clear();
    for (const Target& target : plan.targets)
        m_frames << commandFrame(target);
    m_sequence = 0;
    m_current = ExchangeRecord{};
    m_received.clear();
    m_lastTimedOut = false;
    m_lateSeen = false;
    m_stopRequested = false;
    m_schedule = SendSchedule(qint64(plan.intervalMs) * 1000, gapUs(plan, m_baud));
    m_line->clearBuffers();

    m_clock.start();
    m_runStartUs = nowUs();
    m_state = State::Waiting;
    // From the event loop, so that the caller has returned before the first report.
    armSend(m_schedule.start(m_runStartUs));
    return true;
}

void DiagnosisEngine::stop()
{
    if (m_state == State::Idle)
        return;
    if (m_state == State::Awaiting)
        --m_sequence; // the exchange in progress is dropped, uncounted
    endRun(RunEnd::Stopped);
}

void DiagnosisEngine::stopAfterExchange()
{
    if (m_state == State::Awaiting)
        m_stopRequested = true;
    else
        stop();
}

bool DiagnosisEngine::runIsOver() const
{
    if (m_plan.count > 0 && m_sequence >= m_plan.count)
        return true;
    return m_plan.durationMs > 0 &&
           m_schedule.nextDueUs() - m_runStartUs >= m_plan.durationMs * 1000;
}

void DiagnosisEngine::armSend(qint64 dueUs)
{
    const qint64 waitUs = dueUs - nowUs();
    // Whole milliseconds, rounded up, so the gap is never cut short.
    m_sendTimer->start(waitUs <= 0 ? 0 : int((waitUs + 999) / 1000));
}

void DiagnosisEngine::sendNext()
{
    if (m_state != State::Waiting)
        return;
    if (runIsOver()) {
        endRun(RunEnd::Completed);
        return;
    }
    if (const QByteArray waiting = m_line->readAll(); !waiting.isEmpty()) {
        takeBetweenExchanges(waiting, nowUs());
        if (m_schedule.nextDueUs() > nowUs()) {
            armSend(m_schedule.nextDueUs());
            return;
        }
    }
    const int index = int(m_sequence % m_plan.targets.size());
    m_previousSequence = m_current.sequence;
    m_previousTargetIndex = m_current.targetIndex;
    m_previousTimedOut = m_lastTimedOut;
    m_previousLateSeen = m_lateSeen;
    m_current = ExchangeRecord{};
    m_current.sequence = ++m_sequence;
    m_current.targetIndex = index;
    m_current.target = m_plan.targets[index];
    m_current.frame = m_frames[index];
    m_current.commandWireUs = wireTimeUs(m_current.frame.size(), m_baud);
    m_current.sentAt = QDateTime::currentDateTime();
    m_received.clear();
    m_lastTimedOut = false;
    m_lateSeen = false;
    m_state = State::Awaiting;

    // The line hands the frame to the device before it returns: the response
    // time runs from here. A line that fails meanwhile says so from the event loop.
    m_line->write(m_current.frame);
    m_sentUs = nowUs();
    m_timeoutTimer->start(m_plan.timeoutMs);
}

void DiagnosisEngine::onReceived()
{
    const QByteArray bytes = m_line->readAll();
    const qint64 atUs = nowUs();
    if (bytes.isEmpty())
        return;
    if (m_state == State::Waiting) {
        takeBetweenExchanges(bytes, atUs);
        return;
    }
    if (m_state != State::Awaiting)
        return;
    m_received += bytes;
    for (;;) {
        const std::optional<qsizetype> end = wire::replyEnd(m_received);
        if (!end)
            return;
        const QByteArray reply = m_received.first(*end);
        if (isPreviousReply(reply)) {
            countLate(m_previousSequence, m_previousTargetIndex, reply, !m_previousLateSeen);
            m_previousLateSeen = true;
            m_received.remove(0, *end);
            continue;
        }
        const QByteArray rest = m_received.sliced(*end);
        finishExchange(reply, atUs);
        if (!rest.isEmpty() && m_state == State::Waiting)
            takeBetweenExchanges(rest, atUs);
        return;
    }
}

bool DiagnosisEngine::isPreviousReply(const QByteArray& reply) const
{
    if (!m_previousTimedOut || m_previousSequence <= 0)
        return false;
    // The rest of a late reply whose start came before the send.
    if (m_previousLateSeen && !reply.contains(char(ctl::STX)) && reply.endsWith(char(ctl::ETB)))
        return true;
    const QByteArray framed = wire::framedPart(reply);
    const Target& previous = m_plan.targets[m_previousTargetIndex];
    return !framed.isEmpty() && !wire::isWrite(previous.function) &&
           wire::replyNames(commandOf(previous), framed) &&
           !wire::replyNames(commandOf(m_current.target), framed);
}

void DiagnosisEngine::countLate(qint64 sequence, int targetIndex, const QByteArray& bytes,
                                bool first)
{
    for (ResponseStatistics* s :
         {&m_statistics.overall, &m_statistics.perTarget[std::size_t(targetIndex)]})
        s->addLate(int(bytes.size()), first);
    emit lateBytes(sequence, targetIndex, bytes);
}

void DiagnosisEngine::takeBetweenExchanges(const QByteArray& bytes, qint64 atUs)
{
    if (m_sequence > 0) {
        const std::size_t index = std::size_t(m_current.targetIndex);
        if (m_lastTimedOut) {
            const bool first = !m_lateSeen;
            m_lateSeen = true;
            countLate(m_current.sequence, m_current.targetIndex, bytes, first);
        } else {
            m_statistics.overall.addStray(int(bytes.size()));
            m_statistics.perTarget[index].addStray(int(bytes.size()));
        }
    }
    if (m_state == State::Waiting)
        armSend(m_schedule.lineBusy(atUs));
}

void DiagnosisEngine::finishExchange(const QByteArray& reply, std::optional<qint64> endUs)
{
    m_timeoutTimer->stop();
    m_current.reply = reply;
    if (endUs) {
        const Judgement judgement = judgeReply(m_current.target, reply, m_plan.checkField);
        m_current.outcome = judgement.outcome;
        m_current.noiseBytes = judgement.noiseBytes;
        m_current.value = judgement.value;
        m_current.responseUs = *endUs - m_sentUs;
        m_current.replyWireUs = wireTimeUs(reply.size(), m_baud);
    } else {
        m_current.outcome = Outcome::Timeout;
        m_current.responseUs = -1;
    }
    m_lastTimedOut = !endUs;
    for (ResponseStatistics* s :
         {&m_statistics.overall, &m_statistics.perTarget[std::size_t(m_current.targetIndex)]})
        s->add(m_current.outcome, m_current.responseUs, m_current.noiseBytes);

    m_state = State::Waiting;
    const qint64 dueUs = m_schedule.exchangeEnded(endUs.value_or(nowUs()));
    emit exchangeFinished(m_current);
    emit progress(m_sequence, m_plan.count > 0 ? m_plan.count : -1);
    if (m_state != State::Waiting)
        return; // stopped from a slot
    if (m_stopRequested)
        endRun(RunEnd::Stopped);
    else if (runIsOver())
        endRun(RunEnd::Completed);
    else if (dueUs <= nowUs())
        sendNext(); // back to back: a turn of the event loop would idle the line
    else
        armSend(dueUs);
}

void DiagnosisEngine::onTimeout()
{
    if (m_state == State::Awaiting)
        finishExchange(m_received, std::nullopt);
}

void DiagnosisEngine::onLineFailed(const QString& reason)
{
    // The line has closed itself; a failure of a line this run no longer
    // uses (stopped, or already lost) changes nothing.
    if (m_state == State::Idle || m_state == State::PortLost)
        return;
    m_sendTimer->stop();
    m_timeoutTimer->stop();
    if (m_state == State::Awaiting)
        --m_sequence; // abandoned uncounted; the same target goes first on the way back
    m_state = State::PortLost;
    m_lastTimedOut = false;
    if (m_stopRequested) {
        endRun(RunEnd::Stopped);
        return;
    }
    m_reopenTimer->start();
    emit portLost(reason);
}

void DiagnosisEngine::tryReopen()
{
    if (m_state != State::PortLost)
        return;
    // A run for a duration ends on time, port or no port.
    if (m_plan.durationMs > 0 && nowUs() - m_runStartUs >= m_plan.durationMs * 1000) {
        endRun(RunEnd::Completed);
        return;
    }
    if (!m_line->openDevice(deviceForPortText(m_plan.port), m_plan.settings, nullptr))
        return;
    m_reopenTimer->stop();
    m_line->clearBuffers();
    m_state = State::Waiting;
    emit portBack();
    if (m_state == State::Waiting)
        armSend(m_schedule.lineBusy(nowUs()));
}

void DiagnosisEngine::endRun(RunEnd end)
{
    m_sendTimer->stop();
    m_timeoutTimer->stop();
    m_reopenTimer->stop();
    m_line->close();
    m_state = State::Idle;
    m_stopRequested = false;
    emit finished(end);
}

} // namespace diagnosis
