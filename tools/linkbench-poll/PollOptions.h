#pragma once

#include "diagnosis/BusScan.h"
#include "diagnosis/DegradationAlarm.h"
#include "diagnosis/RunPlan.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// linkbench-poll's command line.
namespace poll {

struct PollOptions
{
    bool help = false;
    bool listPorts = false; // --list-ports: the ports found and COM1 to COM8, then exit
    bool scan = false;
    diagnosis::RunPlan plan;      // a poll run
    diagnosis::ScanPlan scanPlan; // a scan
    QString csvPath;              // empty: no CSV file
    bool quiet = false;
    // Long runs: a new CSV file past this size (0: none), and the alarm.
    qint64 csvMaxBytes = 0;
    diagnosis::AlarmSettings alarm;
};

struct ParsedPoll
{
    PollOptions options;
    QString error; // empty when the command line was understood
};

// A two-digit code as the lists write it: "7" and "07" are both "07"; empty
// for a text that is no such number.
QString twoDigits(const QString& text);

// Reads the arguments after the program name.
ParsedPoll parsePollOptions(const QStringList& arguments);

} // namespace poll
