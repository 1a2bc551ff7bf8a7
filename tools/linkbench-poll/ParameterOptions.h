#pragma once

#include "diagnosis/ParameterTransfer.h"

#include <QString>
#include <QStringList>
#include <optional>

// The command line of linkbench-poll's parameter-set commands, which name
// themselves with their first argument: "backup", "compare", "restore".
namespace poll {

enum class ParameterCommand { Backup, Compare, Restore };

std::optional<ParameterCommand> parameterCommandNamed(const QString& word);

struct ParameterOptions
{
    ParameterCommand command = ParameterCommand::Backup;
    diagnosis::TransferPlan plan;
    bool channelGiven = false; // else compare and restore take the file's channel
    QStringList codes;         // backup: the codes wanted
    bool all = false;          // backup: every code 01 to 57 that answers, too
    QString file;              // backup's -o, or the set compare and restore read
    QString name;              // backup: the instrument's name or tag
    QStringList include;       // restore: reading or acting codes to write all the same
    bool dryRun = false;
    QString csvPath;
    bool quiet = false;
    bool help = false;
};

struct ParsedParameters
{
    ParameterOptions options;
    QString error; // empty when the command line was understood
};

// Reads the arguments after the program name, the command first.
ParsedParameters parseParameterOptions(const QStringList& arguments);

} // namespace poll
