#pragma once

#include "diagnosis/DiagnosisEngine.h"
#include "diagnosis/TestPlan.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>

// Runs a test plan on one unit: each step in turn, an exchange as a run of
// its own over the diagnosis engine (tried again after no answer or a bad
// check field, up to the step's retries), a wait on a timer, and a prompt
// handed to whoever runs the plan until answer() is called. Every exchange is
// reported, for the per-exchange CSV and the frames of the reports.
namespace diagnosis {

enum class Verdict { Pass, Fail, NotRun };

struct StepResult
{
    Verdict verdict = Verdict::NotRun;
    QString actual;     // what came, as the reports say it: "数值 42", "ACK", "无应答"
    QString reason;     // why it failed; empty when it passed
    QStringList frames; // "→ <DC1>00101<ETX>", "← <STX>...<ETB>", each try in turn
    int tries = 0;
    qint64 elapsedMs = 0;
};

// "合格", "不合格", "未执行".
QString verdictText(Verdict verdict);

class TestPlanRun : public QObject
{
    Q_OBJECT
public:
    explicit TestPlanRun(std::unique_ptr<SerialLine> line, QObject* parent = nullptr);

    // Runs the plan from its first step; the port is opened for each exchange.
    void start(const TestPlan& plan, const QString& port, const QString& settings);
    // The operator's answer to the prompt in progress.
    void answer(bool confirmed);
    // Ends after the exchange in progress; the steps left are not run.
    void stop();

    bool isRunning() const { return m_running; }
    const TestPlan& plan() const { return m_plan; }
    const QList<StepResult>& results() const { return m_results; }
    // Pass only when every step ran and passed.
    Verdict overall() const;
    // Why the port could not be opened, when it could not be for any exchange
    // of the run; empty otherwise.
    QString portRefusal() const { return m_everOpened ? QString() : m_lostReason; }

signals:
    void stepStarted(int index);
    void prompted(int index, const QString& text);
    void exchanged(const diagnosis::ExchangeRecord& record);
    void stepFinished(int index);
    void finished();

private:
    void runStep();
    void sendTry();
    void onExchange(const ExchangeRecord& record);
    void onEngineFinished();
    void judge(const ExchangeRecord& record);
    void endStep(Verdict verdict, const QString& actual, const QString& reason = {});
    void finish();

    DiagnosisEngine m_engine;
    QTimer m_wait;
    TestPlan m_plan;
    QString m_port;
    QString m_settings;
    QList<StepResult> m_results;
    QHash<QString, double> m_captured;
    std::optional<ExchangeRecord> m_last; // the exchange of the try that just ended
    QString m_lostReason;
    int m_index = -1;
    bool m_running = false;
    bool m_stopAsked = false;
    bool m_prompting = false;
    bool m_everOpened = false;
    QElapsedTimer m_stepClock;
};

} // namespace diagnosis
