#include "diagnosis/TestPlanRun.h"

#include "diagnosis/TestPlanTexts.h"
#include "wire/NumericText.h"
#include "wire/ReplyFrame.h"
#include "wire/WireText.h"

#include <algorithm>
#include <cmath>

namespace diagnosis {

namespace {

// What a retry may mend: the reply did not come, or came spoilt on the line.
bool worthRetrying(Outcome outcome)
{
    return outcome == Outcome::Timeout || outcome == Outcome::Check;
}

// Two values are equal when they differ by no more than the last of 15
// significant digits: "0042.0" and 42 are the same number.
bool sameNumber(double a, double b)
{
    return std::abs(a - b) <= 1e-12 * std::max({1.0, std::abs(a), std::abs(b)});
}

QString actualOf(const ExchangeRecord& record)
{
    switch (record.outcome) {
    case Outcome::Timeout:
        return plan_texts::GotNothing;
    case Outcome::Ok:
        if (wire::isWrite(record.target.function))
            return plan_texts::ExpectAck;
        return record.value ? plan_texts::GotValue.arg(valueText(record.value))
                            : plan_texts::GotReply;
    case Outcome::Nak:
    case Outcome::Check:
    case Outcome::Malformed:
        break;
    }
    return outcomeLabel(record.outcome);
}

} // namespace

QString verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass:
        return plan_texts::Pass;
    case Verdict::Fail:
        return plan_texts::Fail;
    case Verdict::NotRun:
        break;
    }
    return plan_texts::Skipped;
}

TestPlanRun::TestPlanRun(std::unique_ptr<SerialLine> line, QObject* parent)
    : QObject(parent), m_engine(std::move(line), this)
{
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this,
            [this] { endStep(Verdict::Pass, plan_texts::Waited); });
    connect(&m_engine, &DiagnosisEngine::exchangeFinished, this, &TestPlanRun::onExchange);
    connect(&m_engine, &DiagnosisEngine::finished, this, &TestPlanRun::onEngineFinished);
    connect(&m_engine, &DiagnosisEngine::portLost, this, [this](const QString& reason) {
        // A unit under test is not waited for: the step fails and says why.
        m_lostReason = reason;
        m_engine.stop();
    });
}

void TestPlanRun::start(const TestPlan& plan, const QString& port, const QString& settings)
{
    m_plan = plan;
    m_port = port;
    m_settings = settings;
    m_results = QList<StepResult>(plan.steps.size());
    m_captured.clear();
    m_lostReason.clear();
    m_everOpened = false;
    m_stopAsked = false;
    m_prompting = false;
    m_running = true;
    m_index = 0;
    QTimer::singleShot(0, this, &TestPlanRun::runStep);
}

void TestPlanRun::stop()
{
    m_stopAsked = true;
    if (m_engine.isRunning()) {
        m_engine.stopAfterExchange();
        return;
    }
    m_wait.stop();
    m_prompting = false;
    if (m_running)
        finish();
}

void TestPlanRun::answer(bool confirmed)
{
    if (!m_prompting)
        return;
    m_prompting = false;
    endStep(confirmed ? Verdict::Pass : Verdict::Fail,
            confirmed ? plan_texts::Confirmed : plan_texts::NotConfirmed,
            confirmed ? QString() : plan_texts::NotConfirmed);
}

Verdict TestPlanRun::overall() const
{
    for (const StepResult& result : m_results) {
        if (result.verdict != Verdict::Pass)
            return Verdict::Fail;
    }
    return Verdict::Pass;
}

void TestPlanRun::runStep()
{
    if (!m_running)
        return;
    if (m_stopAsked || m_index >= m_plan.steps.size()) {
        finish();
        return;
    }
    m_stepClock.start();
    emit stepStarted(m_index);
    const PlanStep& step = m_plan.steps[m_index];
    switch (step.kind) {
    case StepKind::Wait:
        m_wait.start(step.waitMs);
        return;
    case StepKind::Prompt:
        m_prompting = true;
        emit prompted(m_index, step.prompt);
        return;
    case StepKind::Exchange:
        sendTry();
        return;
    }
}

void TestPlanRun::sendTry()
{
    const PlanStep& step = m_plan.steps[m_index];
    RunPlan run;
    run.port = m_port;
    run.settings = m_settings;
    run.targets = {step.target};
    run.count = 1;
    run.timeoutMs = step.timeoutMs;
    m_last.reset();
    QString refusal;
    if (!m_engine.start(run, &refusal)) {
        m_lostReason = refusal;
        endStep(Verdict::Fail, plan_texts::NotRun, plan_texts::PortLost.arg(refusal));
        finish();
        return;
    }
    m_everOpened = true;
    m_lostReason.clear();
}

void TestPlanRun::onExchange(const ExchangeRecord& record)
{
    m_last = record;
    StepResult& result = m_results[m_index];
    ++result.tries;
    result.frames << QStringLiteral("→ ") + wire::namedBytes(record.frame)
                  << QStringLiteral("← ") + (record.reply.isEmpty()
                                                 ? plan_texts::GotNothing
                                                 : wire::namedBytes(record.reply));
    emit exchanged(record);
}

void TestPlanRun::onEngineFinished()
{
    if (!m_running || m_index >= m_plan.steps.size())
        return;
    if (!m_lostReason.isEmpty()) {
        endStep(Verdict::Fail, plan_texts::NotRun, plan_texts::PortLost.arg(m_lostReason));
        finish();
        return;
    }
    if (!m_last) { // stopped before the exchange ended
        finish();
        return;
    }
    // The engine is still inside its finished(): the next try or step starts
    // from the event loop.
    const ExchangeRecord record = *m_last;
    QTimer::singleShot(0, this, [this, record] { judge(record); });
}

void TestPlanRun::judge(const ExchangeRecord& record)
{
    const PlanStep& step = m_plan.steps[m_index];
    const QString actual = actualOf(record);
    const bool mayRetry =
        worthRetrying(record.outcome) && !m_stopAsked && m_results[m_index].tries <= step.retries;
    const auto expected = [&](Outcome wanted) {
        if (record.outcome == wanted)
            return endStep(Verdict::Pass, actual);
        if (mayRetry)
            return sendTry();
        endStep(Verdict::Fail, actual, plan_texts::Unexpected.arg(expectedText(step), actual));
    };
    switch (step.expect) {
    case Expect::Silence:
        // Anything that comes, even spoilt, shows something answers at the address.
        if (record.outcome == Outcome::Timeout && record.reply.isEmpty())
            return endStep(Verdict::Pass, actual);
        return endStep(Verdict::Fail, actual,
                       plan_texts::Unexpected.arg(expectedText(step), actual));
    case Expect::Ack:
        return expected(Outcome::Ok);
    case Expect::Nak:
        return expected(Outcome::Nak);
    case Expect::Reply:
        return expected(Outcome::Ok);
    case Expect::Place: {
        const QByteArray framed = wire::framedPart(record.reply);
        if (framed.size() >= wire::kShortestFramedReply &&
            wire::replyNames(commandOf(step.target), framed))
            return endStep(Verdict::Pass, actual);
        if (record.outcome == Outcome::Timeout && mayRetry)
            return sendTry();
        return endStep(Verdict::Fail, actual,
                       record.outcome == Outcome::Timeout ? plan_texts::GotNothing
                                                          : plan_texts::GotOtherPlace);
    }
    case Expect::Range:
    case Expect::Equal:
    case Expect::Captured:
        break;
    }
    if (record.outcome != Outcome::Ok) {
        if (mayRetry)
            return sendTry();
        return endStep(Verdict::Fail, actual,
                       plan_texts::Unexpected.arg(expectedText(step), actual));
    }
    if (!record.value)
        return endStep(Verdict::Fail, actual, plan_texts::GotNoValue);
    const double value = *record.value;
    const QString shown = valueText(record.value);
    if (step.expect == Expect::Range) {
        if (value >= step.low && value <= step.high)
            return endStep(Verdict::Pass, actual);
        return endStep(
            Verdict::Fail, actual,
            plan_texts::OutOfRange.arg(shown, valueText(step.low), valueText(step.high)));
    }
    double wanted = step.number;
    if (step.expect == Expect::Captured) {
        if (!m_captured.contains(step.captured))
            return endStep(Verdict::Fail, actual, plan_texts::NoCapturedValue.arg(step.captured));
        wanted = m_captured.value(step.captured);
    }
    if (sameNumber(value, wanted))
        return endStep(Verdict::Pass, actual);
    endStep(Verdict::Fail, actual, plan_texts::NotEqual.arg(shown, valueText(wanted)));
}

void TestPlanRun::endStep(Verdict verdict, const QString& actual, const QString& reason)
{
    const PlanStep& step = m_plan.steps[m_index];
    StepResult& result = m_results[m_index];
    result.verdict = verdict;
    result.actual = actual;
    result.reason = reason;
    result.elapsedMs = m_stepClock.isValid() ? m_stepClock.elapsed() : 0;
    if (verdict == Verdict::Pass && !step.capture.isEmpty()) {
        // A write keeps the number it wrote; a read the number it read.
        const std::optional<double> value = wire::isWrite(step.target.function)
                                                ? numeric::parseNumber(step.target.value)
                                                : (m_last ? m_last->value : std::nullopt);
        if (value)
            m_captured.insert(step.capture, *value);
    }
    emit stepFinished(m_index);
    ++m_index;
    QTimer::singleShot(0, this, &TestPlanRun::runStep);
}

void TestPlanRun::finish()
{
    if (!m_running)
        return;
    m_running = false;
    m_index = int(m_plan.steps.size());
    emit finished();
}

} // namespace diagnosis
