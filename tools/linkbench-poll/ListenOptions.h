#pragma once

#include "diagnosis/DegradationAlarm.h"
#include "diagnosis/ListenRun.h"

#include <QString>
#include <QStringList>

// The command line of `linkbench-poll listen`.
namespace poll {

struct ListenOptions
{
    bool help = false;
    diagnosis::ListenPlan plan;
    qint64 durationMs = 0; // 0: until Ctrl+C
    QString csvPath;
    qint64 csvMaxBytes = 0; // 0: no size limit
    diagnosis::AlarmSettings alarm;
    bool quiet = false;
};

struct ParsedListen
{
    ListenOptions options;
    QString error; // empty when the command line was understood
};

// Whether the arguments after the program name ask for a listen: the command
// word "listen" among them.
bool isListenCommand(const QStringList& arguments);

// Reads the arguments after the program name, the word "listen" among them.
ParsedListen parseListenOptions(const QStringList& arguments);

} // namespace poll
