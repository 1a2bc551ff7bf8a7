#pragma once

#include "AlarmLog.h"
#include "CsvLog.h"
#include "PollOptions.h"
#include "diagnosis/BusScan.h"
#include "diagnosis/DiagnosisEngine.h"
#include "platform/QtSerialLine.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <cstdio>

namespace poll {

inline constexpr int kExitAllOk = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitPort = 3;

// One run of linkbench-poll, a poll or a scan: starts the engine, writes the
// CSV lines, keeps the live status line on a terminal, handles interruption,
// prints the summary and tells the exit status.
class PollSession : public QObject
{
    Q_OBJECT
public:
    // `out` takes the results, `err` the notes and the status line; the status
    // line is drawn only when `err` is a terminal and the run is not quiet.
    PollSession(const PollOptions& options, std::FILE* out, std::FILE* err,
                QObject* parent = nullptr);

    // Runs to the end and returns the exit status.
    int exec();
    // Ctrl+C: the first stops after the exchange in progress, the second at once.
    void interrupt();

private:
    int startPoll();
    int startScan();
    bool openCsv();
    void onExchange(const diagnosis::ExchangeRecord& record);
    void onHit(const diagnosis::ScanHit& hit);
    void drawStatus();
    void clearStatus();
    void note(const QString& text);
    void printSummary();
    void printScanSummary();
    diagnosis::DiagnosisEngine& engine();

    PollOptions m_options;
    std::FILE* m_out;
    std::FILE* m_err;
    bool m_liveLine;
    bool m_statusShown = false;
    int m_interrupts = 0;
    bool m_csvFailed = false;
    diagnosis::DiagnosisEngine m_engine{std::make_unique<QtSerialLine>()};
    diagnosis::BusScan m_scan{std::make_unique<QtSerialLine>()};
    CsvLog m_csv;
    AlarmLog m_alarms{m_options.alarm};
    QEventLoop m_loop;
    QTimer m_statusTimer;
    QElapsedTimer m_elapsed;
    qint64 m_lastResponseUs = -1;
    QList<qint64> m_replyWireUs; // per target, of its last reply; -1 before one
};

} // namespace poll
