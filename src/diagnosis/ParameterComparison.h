#pragma once

#include "diagnosis/ParameterSet.h"
#include "diagnosis/ParameterTransfer.h"

#include <QList>
#include <QStringList>
#include <optional>

// A set held against what an instrument says, and what a restore writes of it.
namespace diagnosis {

struct ParameterDifference
{
    QString code;
    QString setValue;
    std::optional<QByteArray> instrumentValue; // none when it could not be read
};

// The parameters of `set` whose instrument value differs or could not be
// read, in the set's order; `readings` are those of the set's codes. The
// address is never one of them.
QList<ParameterDifference> differencesFrom(const ParameterSet& set,
                                           const QList<ParameterReading>& readings);

// A restore writes the configuring parameters; one that only reads or acts
// only when `include` names it; the address never.
bool restoreMayWrite(const QString& code, const QStringList& include);

// The writes that make the instrument equal to the set: each difference that
// was read and may be written.
QList<ParameterWrite> restoreWrites(const QList<ParameterDifference>& differences,
                                    const QStringList& include);

// What became of a write, as the command line and the monitor say it:
// "已写入", "拒绝（NAK）", "失败：超时", ...
QString writeStatusText(const ParameterWrite& write);

} // namespace diagnosis
