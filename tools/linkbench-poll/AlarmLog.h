#pragma once

#include "diagnosis/DegradationAlarm.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <optional>

// The degradation alarm of a long poll or listen: each raise and clear as one
// line for the terminal and, beside a CSV file "run.csv", in its companion
// log "run.alarms.log" (UTF-8, CR LF), made at the first alarm and appended
// to, so that a run without one leaves no empty file.
namespace poll {

class AlarmLog
{
public:
    explicit AlarmLog(const diagnosis::AlarmSettings& settings) : m_alarm(settings) {}

    // The alarms go also to the companion log of `csvPath`.
    void keepBeside(const QString& csvPath);
    void close() { m_file.close(); }

    // One more command to a target ended at `at`; the line to show when the
    // alarm was raised or cleared by it (with the reason appended when the
    // companion log could not take it).
    std::optional<QString> record(int targetIndex, const QString& targetLabel, bool success,
                                  const QDateTime& at);
    int standing() const { return m_alarm.raisedCount(); }
    QString fileName() const { return m_file.fileName(); }

private:
    diagnosis::DegradationAlarm m_alarm;
    QFile m_file;
};

} // namespace poll
