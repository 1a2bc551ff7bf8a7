#include "diagnosis/BusScan.h"

#include "diagnosis/DiagnosisTexts.h"

namespace diagnosis {

namespace {

const QString kHbxClock = QStringLiteral("70");

} // namespace

QList<Target> scanTargets(const ScanPlan& plan)
{
    QList<Target> targets;
    for (int address = plan.from; address <= plan.to; ++address) {
        Target target;
        target.address = address;
        if (plan.hbx) {
            target.function = Function::Dc4;
            target.param = kHbxClock;
        } else {
            target.function = Function::Dc1;
            target.channel = QStringLiteral("01");
        }
        targets << target;
    }
    return targets;
}

BusScan::BusScan(std::unique_ptr<SerialLine> line, QObject* parent)
    : QObject(parent), m_engine(std::move(line), this)
{
    qRegisterMetaType<diagnosis::ScanHit>();
    connect(&m_engine, &DiagnosisEngine::exchangeFinished, this, &BusScan::onExchange);
    connect(&m_engine, &DiagnosisEngine::finished, this, &BusScan::finished);
}

bool BusScan::start(const ScanPlan& plan, QString* refusal)
{
    m_engine.stop();
    m_hits.clear();
    if (plan.from > plan.to) {
        if (refusal)
            *refusal = diagnosis_texts::EmptyScanRange;
        return false;
    }
    RunPlan run;
    run.port = plan.port;
    run.settings = plan.settings;
    run.targets = scanTargets(plan);
    run.timeoutMs = plan.timeoutMs;
    run.count = run.targets.size();
    run.checkField = plan.checkField;
    m_total = int(run.targets.size());
    return m_engine.start(run, refusal);
}

void BusScan::onExchange(const ExchangeRecord& record)
{
    if (record.outcome != Outcome::Timeout) {
        const ScanHit hit{record.target.address, record.reply, record.outcome, record.responseUs};
        m_hits << hit;
        emit answered(hit);
    }
    emit progress(int(record.sequence), m_total);
}

} // namespace diagnosis
