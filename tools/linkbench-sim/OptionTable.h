#pragma once

#include "SimOptions.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The simulator's options, one row each, in the order its help lists them:
// those of the line, the faults (from FaultTable), then those of the bus and
// the run. The parser and the help both read these rows.
namespace sim {

// What an option's value sets; false when the value is refused.
using ValueSetter = std::function<bool(SimOptions&, const QString&)>;

struct OptionRow
{
    QStringList names; // "help", "h": given as --help, -h
    QString valueName; // as the help names the value; empty for a switch
    QString help;      // a Chinese line, then an English one
    ValueSetter set;   // none for a switch
};

const std::vector<OptionRow>& optionRows();

} // namespace sim
