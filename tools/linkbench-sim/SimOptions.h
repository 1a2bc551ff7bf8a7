#pragma once

#include "BusLayout.h"
#include "FaultTable.h"
#include "MasterPlayer.h"
#include "catalogue/LineLists.h"
#include "diagnosis/ParameterSet.h"

#include <QString>
#include <QStringList>
#include <optional>

// The simulator's command line.
namespace sim {

struct SimOptions
{
    QString device; // empty: make a pseudo-terminal
    QString settings = catalogue::defaultLineSettings();
    int baud = 9600; // wire-time speed: --baud, else that of --settings
    bool wireTime = true;
    int replyDelayMs = 20;
    int chunks = 1;
    int chunkGapMs = 20;
    FaultSettings faults;
    std::optional<quint64> seed; // none: a random one, logged
    BusLayout bus;
    QList<QByteArray> refusedWrites;        // parameter codes whose writes get NAK
    QStringList paramsFiles;                // parameter sets instruments start with
    QList<diagnosis::ParameterSet> presets; // read from paramsFiles
    bool quiet = false;
    bool help = false;
    bool tap = false;                  // a second pty with a copy of the line
    std::optional<MasterRound> master; // the simulator also plays the master
};

struct ParsedOptions
{
    SimOptions options;
    QString error; // empty when the command line was understood
};

// Reads the arguments after the program name. Each option with a value takes
// it as the next argument or after "=" ("--drop 5", "--drop=5").
ParsedOptions parseSimOptions(const QStringList& arguments);

// The --help text: a head, then each option with its value and its help.
QString simHelp();

} // namespace sim
