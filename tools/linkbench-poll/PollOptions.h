#pragma once

#include "diagnosis/BusScan.h"
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
};

struct ParsedPoll
{
    PollOptions options;
    QString error; // empty when the command line was understood
};

// Reads the arguments after the program name.
ParsedPoll parsePollOptions(const QStringList& arguments);

} // namespace poll
