#pragma once

#include "catalogue/LineLists.h"
#include "diagnosis/DiagnosisEngine.h"

#include <QList>
#include <QObject>

namespace diagnosis {

struct ScanPlan
{
    QString port = catalogue::defaultPortEntry();
    QString settings = catalogue::defaultLineSettings();
    int from = 1;
    int to = 255;
    int timeoutMs = 300;
    bool hbx = false; // ask concentrators (HBX clock, 70) instead of instruments
    bool checkField = true;
};

// An address that answered, with what it said.
struct ScanHit
{
    int address = 0;
    QByteArray reply;
    Outcome outcome = Outcome::Ok;
    qint64 responseUs = 0;
};

// The targets a scan sends, one per address: a read of the process value on
// channel 01, or an HBX clock request.
QList<Target> scanTargets(const ScanPlan& plan);

// Tries every address of a range once and reports those that answered (any
// complete reply, whatever its outcome).
class BusScan : public QObject
{
    Q_OBJECT
public:
    // Scans over `line`: a QtSerialLine in the programs.
    explicit BusScan(std::unique_ptr<SerialLine> line, QObject* parent = nullptr);

    bool start(const ScanPlan& plan, QString* refusal = nullptr);
    void stop() { m_engine.stop(); }
    bool isRunning() const { return m_engine.isRunning(); }
    const QList<ScanHit>& hits() const { return m_hits; }
    DiagnosisEngine& engine() { return m_engine; }

signals:
    void answered(const diagnosis::ScanHit& hit);
    void progress(int done, int total);
    void finished(diagnosis::RunEnd end);

private:
    void onExchange(const ExchangeRecord& record);

    DiagnosisEngine m_engine;
    QList<ScanHit> m_hits;
    int m_total = 0;
};

} // namespace diagnosis

Q_DECLARE_METATYPE(diagnosis::ScanHit)
