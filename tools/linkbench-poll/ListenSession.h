#pragma once

#include "AlarmLog.h"
#include "CsvLog.h"
#include "ListenOptions.h"
#include "diagnosis/DegradationAlarm.h"
#include "diagnosis/ListenRun.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <cstdio>

namespace poll {

// One `linkbench-poll listen`: opens the ports read-only, writes a CSV line
// per command or unpaired reply, keeps the status line on a terminal, stops
// at the duration or on Ctrl+C, prints the summary and tells the exit status
// (the same as polling's).
class ListenSession : public QObject
{
    Q_OBJECT
public:
    ListenSession(const ListenOptions& options, std::FILE* out, std::FILE* err,
                  QObject* parent = nullptr);

    int exec();
    // The first stops once the waiting command has ended, the second at once.
    void interrupt();

private:
    void onExchange(const diagnosis::ListenedExchange& exchange);
    void drawStatus();
    void clearStatus();
    void note(const QString& text);
    void printSummary();
    QString rhythmText() const;

    ListenOptions m_options;
    std::FILE* m_out;
    std::FILE* m_err;
    bool m_liveLine;
    bool m_statusShown = false;
    int m_interrupts = 0;
    bool m_csvFailed = false;
    diagnosis::ListenRun m_run;
    CsvLog m_csv;
    AlarmLog m_alarms;
    QEventLoop m_loop;
    QTimer m_statusTimer;
    QTimer m_durationTimer;
    QElapsedTimer m_elapsed;
    qint64 m_lastResponseUs = -1;
};

} // namespace poll
