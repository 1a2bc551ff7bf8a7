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

// An address list such as "1-11,15" or "001-003": ascending, without repeats;
// nothing when an item is not an address 1..255 or a range runs backwards.
std::optional<QList<int>> parseAddresses(const QString& text);

} // namespace poll
