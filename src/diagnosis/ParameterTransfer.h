#pragma once

#include "diagnosis/DiagnosisEngine.h"
#include "diagnosis/ExchangeRecord.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

// Reads an instrument's parameters, or writes some and reads each back, over
// the diagnosis engine: the parameters go out back to back in one run, and
// those whose exchange timed out or came with a bad check field go again in
// a run of their own, up to the retries allowed. Every exchange is reported,
// for the per-exchange CSV.
namespace diagnosis {

// Where and how.
struct TransferPlan
{
    QString port = catalogue::defaultPortEntry();
    QString settings = catalogue::defaultLineSettings();
    int address = 1;
    QString channel = QStringLiteral("01");
    int timeoutMs = 3000;
    int retries = 2; // further tries after a time-out or a bad check field
    bool checkField = true;
};

struct ParameterReading
{
    QString code;
    std::optional<QByteArray> value;    // the value text, once read
    QByteArray reply;                   // the last reply received, stray bytes included
    Outcome outcome = Outcome::Timeout; // of the last try
    int tries = 0;
    bool settled = false; // read, or given up
};

enum class WriteStatus {
    NotSent,          // not written (yet)
    Written,          // acknowledged and read back as written
    WrittenUnchecked, // acknowledged, the read-back did not come (interrupted, or it failed)
    Refused,          // NAK
    Failed,           // no acknowledgement, or the read-back shows another value
};

struct ParameterWrite
{
    QString code;
    QString value;     // as the set has it
    QByteArray before; // the instrument's value text before
    WriteStatus status = WriteStatus::NotSent;
    std::optional<QByteArray> readBack;
    Outcome outcome = Outcome::Timeout; // of the last write
    QString reason;                     // why it failed, for the report
    int tries = 0;
    bool acknowledged = false;
    bool settled = false;
};

enum class TransferEnd { Completed, Interrupted, PortLost };

class ParameterTransfer : public QObject
{
    Q_OBJECT
public:
    explicit ParameterTransfer(std::unique_ptr<SerialLine> line, QObject* parent = nullptr);

    // Starts reading `codes`; false, with `refusal` set, when the port cannot be opened.
    bool startReading(const TransferPlan& plan, const QStringList& codes, QString* refusal);
    // Starts writing each parameter and reading it back.
    bool startWriting(const TransferPlan& plan, const QList<ParameterWrite>& writes,
                      QString* refusal);
    // Ends after the exchange in progress (Ctrl+C, the monitor's cancel).
    void stopAfterExchange();

    bool isRunning() const { return m_running; }
    const QList<ParameterReading>& readings() const { return m_readings; }
    const QList<ParameterWrite>& writes() const { return m_writes; }
    TransferEnd end() const { return m_end; }
    QString lostReason() const { return m_lostReason; }

signals:
    void exchanged(const diagnosis::ExchangeRecord& record);
    // A parameter is done with (the index into readings() or writes()).
    void settled(int index);
    void progress(int done, int total);
    void finished(diagnosis::TransferEnd end);

private:
    enum class StepKind { Read, Write, ReadBack };
    struct Step
    {
        StepKind kind;
        int item;
    };

    bool startBatch(QString* refusal);
    Target targetOf(const Step& step) const;
    void onExchange(const ExchangeRecord& record);
    void onRead(ParameterReading& reading, const ExchangeRecord& record);
    void onWrite(ParameterWrite& write, const ExchangeRecord& record);
    void onReadBack(ParameterWrite& write, const ExchangeRecord& record);
    void settle(int item);
    void onEngineFinished(RunEnd end);
    void finish(TransferEnd end);
    int itemCount() const;

    DiagnosisEngine m_engine;
    TransferPlan m_plan;
    bool m_writing = false;
    bool m_running = false;
    bool m_stopAsked = false;
    QList<ParameterReading> m_readings;
    QList<ParameterWrite> m_writes;
    QList<Step> m_batch;
    int m_stepsDone = 0;
    int m_settledCount = 0;
    TransferEnd m_end = TransferEnd::Completed;
    QString m_lostReason;
};

} // namespace diagnosis

Q_DECLARE_METATYPE(diagnosis::TransferEnd)
