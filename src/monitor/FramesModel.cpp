#include "monitor/FramesModel.h"

#include "monitor/MonitorTexts.h"
#include "wire/WireText.h"

#include <QFont>

FramesModel::FramesModel(QObject* parent, int limit) : QAbstractTableModel(parent), m_limit(limit)
{
}

void FramesModel::addExchange(const diagnosis::ExchangeRecord& record)
{
    m_pending.push_back(Line{record, {}});
    // Between two redraws no more than the bound can ever be shown.
    if (m_pending.size() > std::size_t(2 * m_limit))
        m_pending.erase(m_pending.begin(), m_pending.end() - m_limit);
}

void FramesModel::addNote(const QString& text)
{
    Line note;
    note.record.sentAt = QDateTime::currentDateTime();
    note.note = text;
    m_pending.push_back(std::move(note));
}

void FramesModel::flush()
{
    if (m_pending.empty())
        return;
    std::size_t first = 0;
    if (m_pending.size() > std::size_t(m_limit))
        first = m_pending.size() - std::size_t(m_limit);
    const int incoming = int(m_pending.size() - first);
    const int overflow = int(m_lines.size()) + incoming - m_limit;
    if (overflow > 0) {
        const int keep = int(m_lines.size()) - overflow;
        beginRemoveRows({}, keep, int(m_lines.size()) - 1);
        m_lines.resize(std::size_t(keep));
        endRemoveRows();
    }
    beginInsertRows({}, 0, incoming - 1);
    for (std::size_t i = first; i < m_pending.size(); ++i)
        m_lines.push_front(std::move(m_pending[i]));
    endInsertRows();
    m_pending.clear();
}

void FramesModel::clear()
{
    beginResetModel();
    m_lines.clear();
    m_pending.clear();
    endResetModel();
}

int FramesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int FramesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString FramesModel::valueText(const std::optional<double>& value)
{
    return diagnosis::valueText(value);
}

QVariant FramesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Line& entry = line(index.row());
    const diagnosis::ExchangeRecord& record = entry.record;
    if (role == Qt::DisplayRole) {
        if (!entry.note.isEmpty()) {
            if (index.column() == Time)
                return diagnosis::recordStamp(record.sentAt);
            return index.column() == Frame ? entry.note : QString();
        }
        switch (index.column()) {
        case Time:
            return diagnosis::recordStamp(record.sentAt);
        case Target:
            return diagnosis::targetLabel(record.target);
        case Frame:
            return wire::namedBytes(record.frame);
        case Reply:
            return wire::namedBytes(record.reply);
        case Result:
            return diagnosis::outcomeLabel(record.outcome);
        case ResponseMs:
            return diagnosis::millisecondsText(record.responseUs);
        case Value:
            return valueText(record.value);
        }
    }
    if (role == Qt::TextAlignmentRole && (index.column() == ResponseMs || index.column() == Value))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::FontRole && (index.column() == Frame || index.column() == Reply)) {
        QFont fixed(QStringLiteral("monospace"));
        fixed.setStyleHint(QFont::TypeWriter);
        return fixed;
    }
    // Port events and failed exchanges stand out in bold, which reads in any theme.
    if (role == Qt::FontRole && (!entry.note.isEmpty() || (index.column() == Result &&
                                                           diagnosis::isFailure(record.outcome)))) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

QVariant FramesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < monitor_texts::FramesHeaders.size())
        return monitor_texts::FramesHeaders[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}
