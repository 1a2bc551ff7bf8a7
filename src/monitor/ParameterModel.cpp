#include "monitor/ParameterModel.h"

#include "diagnosis/ParameterRoles.h"
#include "diagnosis/ParameterSetTexts.h"
#include "monitor/ParameterTexts.h"
#include "wire/WireText.h"

#include <QFont>

namespace texts = monitor_texts;

int ParameterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ParameterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const diagnosis::ParameterEntry* ParameterModel::fileEntry(int row) const
{
    return m_file ? m_file->entry(m_rows[row].reading.code) : nullptr;
}

bool ParameterModel::differs(int row) const
{
    const diagnosis::ParameterEntry* entry = fileEntry(row);
    const diagnosis::ParameterReading& reading = m_rows[row].reading;
    return entry && reading.value && !diagnosis::isAddressParameter(entry->code) &&
           !diagnosis::sameValue(entry->value, *reading.value);
}

int ParameterModel::differenceCount() const
{
    int count = 0;
    for (int row = 0; row < m_rows.size(); ++row)
        count += differs(row);
    return count;
}

QVariant ParameterModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Row& row = m_rows[index.row()];
    if (role == Qt::FontRole && differs(index.row())) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole)
        return {};
    const diagnosis::ParameterReading& r = row.reading;
    const diagnosis::ParameterEntry* entry = fileEntry(index.row());
    switch (index.column()) {
    case Code:
        return r.code;
    case Name:
        return diagnosis::parameterName(r.code);
    case Value:
        if (r.value)
            return QString::fromLatin1(*r.value);
        return r.settled ? paramset_texts::NotAnswered + u' ' + diagnosis::outcomeLabel(r.outcome)
                         : QString();
    case Reply:
        return wire::namedBytes(r.reply);
    case FileValue:
        return entry ? entry->value : m_file ? texts::ParamNotInFile : QString();
    case Compare:
        if (!entry || !r.value || diagnosis::isAddressParameter(r.code))
            return QString();
        return differs(index.row()) ? texts::ParamDiffers : texts::ParamEqual;
    case Result:
        return row.result;
    }
    return {};
}

QVariant ParameterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList heads = {texts::ParamHeaderCode,  texts::ParamHeaderName,
                                      texts::ParamHeaderValue, texts::ParamHeaderReply,
                                      texts::ParamHeaderFile,  texts::ParamHeaderCompare,
                                      texts::ParamHeaderResult};
    return heads.value(section);
}

void ParameterModel::startReading(const QStringList& codes)
{
    beginResetModel();
    m_rows.clear();
    for (const QString& code : codes)
        m_rows << Row{diagnosis::ParameterReading{code, {}, {}, {}, 0, false}, {}};
    endResetModel();
}

int ParameterModel::rowOf(const QString& code)
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].reading.code == code)
            return row;
    }
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size()));
    m_rows << Row{diagnosis::ParameterReading{code, {}, {}, {}, 0, false}, {}};
    endInsertRows();
    return int(m_rows.size()) - 1;
}

void ParameterModel::setReading(const diagnosis::ParameterReading& reading)
{
    const int row = rowOf(reading.code);
    m_rows[row].reading = reading;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void ParameterModel::setFile(const std::optional<diagnosis::ParameterSet>& set)
{
    m_file = set;
    if (set) {
        for (const diagnosis::ParameterEntry& entry : set->entries)
            rowOf(entry.code);
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void ParameterModel::setResult(const QString& code, const QString& result)
{
    const int row = rowOf(code);
    m_rows[row].result = result;
    emit dataChanged(index(row, Result), index(row, Result));
}

QList<diagnosis::ParameterReading> ParameterModel::readings() const
{
    QList<diagnosis::ParameterReading> readings;
    for (const Row& row : m_rows)
        readings << row.reading;
    return readings;
}
