#include "diagnosis/ParameterTransfer.h"

#include "diagnosis/ParameterSet.h"
#include "diagnosis/ParameterSetTexts.h"
#include "wire/ReplyFrame.h"

#include <QTimer>

namespace diagnosis {

namespace {

// What a retry may mend: the reply did not come, or came spoilt on the line.
bool worthRetrying(Outcome outcome)
{
    return outcome == Outcome::Timeout || outcome == Outcome::Check;
}

std::optional<QByteArray> valueIn(const ExchangeRecord& record)
{
    if (record.outcome != Outcome::Ok)
        return std::nullopt;
    return wire::parameterValueText(wire::framedPart(record.reply));
}

} // namespace

ParameterTransfer::ParameterTransfer(std::unique_ptr<SerialLine> line, QObject* parent)
    : QObject(parent), m_engine(std::move(line), this)
{
    qRegisterMetaType<diagnosis::TransferEnd>();
    connect(&m_engine, &DiagnosisEngine::exchangeFinished, this, &ParameterTransfer::onExchange);
    connect(&m_engine, &DiagnosisEngine::finished, this, &ParameterTransfer::onEngineFinished);
    connect(&m_engine, &DiagnosisEngine::portLost, this, [this](const QString& reason) {
        // A parameter run does not wait for the adapter to come back: it says
        // what was done, and the next run reads first and does the rest.
        m_lostReason = reason;
        m_engine.stop();
    });
}

bool ParameterTransfer::startReading(const TransferPlan& plan, const QStringList& codes,
                                     QString* refusal)
{
    m_plan = plan;
    m_writing = false;
    m_readings.clear();
    m_writes.clear();
    for (const QString& code : codes)
        m_readings << ParameterReading{code, {}, {}, Outcome::Timeout, 0, false};
    m_settledCount = 0;
    m_stopAsked = false;
    m_lostReason.clear();
    return startBatch(refusal);
}

bool ParameterTransfer::startWriting(const TransferPlan& plan, const QList<ParameterWrite>& writes,
                                     QString* refusal)
{
    m_plan = plan;
    m_writing = true;
    m_readings.clear();
    m_writes = writes;
    m_settledCount = 0;
    m_stopAsked = false;
    m_lostReason.clear();
    return startBatch(refusal);
}

void ParameterTransfer::stopAfterExchange()
{
    m_stopAsked = true;
    m_engine.stopAfterExchange();
}

int ParameterTransfer::itemCount() const
{
    return int(m_writing ? m_writes.size() : m_readings.size());
}

bool ParameterTransfer::startBatch(QString* refusal)
{
    m_batch.clear();
    for (int i = 0; i < itemCount(); ++i) {
        if (!m_writing) {
            if (!m_readings[i].settled)
                m_batch << Step{StepKind::Read, i};
            continue;
        }
        if (m_writes[i].settled)
            continue;
        if (!m_writes[i].acknowledged)
            m_batch << Step{StepKind::Write, i};
        m_batch << Step{StepKind::ReadBack, i};
    }
    if (m_batch.isEmpty()) {
        m_running = true; // so that finish() reports the end
        QTimer::singleShot(0, this, [this] { finish(TransferEnd::Completed); });
        return true;
    }
    RunPlan run;
    run.port = m_plan.port;
    run.settings = m_plan.settings;
    run.timeoutMs = m_plan.timeoutMs;
    run.checkField = m_plan.checkField;
    for (const Step& step : m_batch)
        run.targets << targetOf(step);
    run.count = run.targets.size();
    m_stepsDone = 0;
    m_running = m_engine.start(run, refusal);
    return m_running;
}

Target ParameterTransfer::targetOf(const Step& step) const
{
    Target target;
    target.address = m_plan.address;
    target.channel = m_plan.channel;
    if (step.kind == StepKind::Read) {
        target.function = Function::Dc2;
        target.param = m_readings[step.item].code;
        return target;
    }
    const ParameterWrite& write = m_writes[step.item];
    target.param = write.code;
    target.function = step.kind == StepKind::Write ? Function::Dc3 : Function::Dc2;
    target.value = write.value;
    return target;
}

void ParameterTransfer::onExchange(const ExchangeRecord& record)
{
    const Step step = m_batch.value(m_stepsDone);
    ++m_stepsDone;
    emit exchanged(record);
    switch (step.kind) {
    case StepKind::Read:
        onRead(m_readings[step.item], record);
        break;
    case StepKind::Write:
        onWrite(m_writes[step.item], record);
        break;
    case StepKind::ReadBack:
        onReadBack(m_writes[step.item], record);
        break;
    }
}

void ParameterTransfer::onRead(ParameterReading& reading, const ExchangeRecord& record)
{
    ++reading.tries;
    reading.outcome = record.outcome;
    if (record.outcome != Outcome::Timeout)
        reading.reply = record.reply;
    reading.value = valueIn(record);
    if (!reading.value && worthRetrying(record.outcome) && reading.tries <= m_plan.retries)
        return;
    settle(int(&reading - m_readings.data()));
}

void ParameterTransfer::onWrite(ParameterWrite& write, const ExchangeRecord& record)
{
    ++write.tries;
    write.outcome = record.outcome;
    if (record.outcome == Outcome::Ok) {
        write.acknowledged = true;
    } else if (record.outcome == Outcome::Nak) {
        write.status = WriteStatus::Refused;
        settle(int(&write - m_writes.data()));
    }
}

void ParameterTransfer::onReadBack(ParameterWrite& write, const ExchangeRecord& record)
{
    const std::optional<QByteArray> value = valueIn(record);
    if (value)
        write.readBack = value;
    if (write.settled) // refused: the read shows what the instrument kept
        return;
    const bool mayRetry = write.tries <= m_plan.retries;
    if (value && sameValue(write.value, *value)) {
        write.status = WriteStatus::Written;
    } else if (value && write.acknowledged) {
        write.status = WriteStatus::Failed;
        write.reason = paramset_texts::ReadBackDiffers.arg(QString::fromLatin1(*value));
    } else if (write.acknowledged) {
        if (mayRetry && worthRetrying(record.outcome)) {
            ++write.tries; // a read-back on its own counts as a try of the pair
            return;
        }
        write.status = WriteStatus::WrittenUnchecked;
    } else {
        if (mayRetry && worthRetrying(write.outcome))
            return;
        write.status = WriteStatus::Failed;
        write.reason = outcomeLabel(write.outcome);
    }
    settle(int(&write - m_writes.data()));
}

void ParameterTransfer::settle(int item)
{
    if (m_writing)
        m_writes[item].settled = true;
    else
        m_readings[item].settled = true;
    ++m_settledCount;
    emit settled(item);
    emit progress(m_settledCount, itemCount());
}

void ParameterTransfer::onEngineFinished(RunEnd end)
{
    if (!m_running)
        return;
    if (!m_lostReason.isEmpty()) {
        // The exchange in progress was abandoned: a write in it may or may not
        // have reached the instrument.
        const Step step = m_batch.value(m_stepsDone, Step{StepKind::Read, -1});
        if (step.kind == StepKind::Write && step.item >= 0 && !m_writes[step.item].settled) {
            ParameterWrite& write = m_writes[step.item];
            ++write.tries;
            write.status = WriteStatus::Failed;
            write.reason = paramset_texts::PortLostDuring.arg(m_lostReason);
            settle(step.item);
        }
        finish(TransferEnd::PortLost);
        return;
    }
    if (end == RunEnd::Stopped || m_stopAsked) {
        finish(TransferEnd::Interrupted);
        return;
    }
    // The next run of those still to do starts from the event loop, once the
    // engine has finished this one.
    QTimer::singleShot(0, this, [this] {
        QString refusal;
        if (!startBatch(&refusal)) {
            m_lostReason = refusal;
            m_running = true;
            finish(TransferEnd::PortLost);
        }
    });
}

void ParameterTransfer::finish(TransferEnd end)
{
    if (!m_running)
        return;
    m_running = false;
    for (ParameterWrite& write : m_writes) {
        if (write.settled)
            continue;
        if (write.acknowledged) {
            write.status = WriteStatus::WrittenUnchecked;
        } else if (write.tries > 0) {
            write.status = WriteStatus::Failed;
            write.reason = outcomeLabel(write.outcome);
        }
    }
    m_end = end;
    emit finished(end);
}

} // namespace diagnosis
