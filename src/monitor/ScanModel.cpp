#include "monitor/ScanModel.h"

#include "monitor/FramesModel.h"
#include "monitor/MonitorTexts.h"
#include "wire/ReplyFrame.h"
#include "wire/WireText.h"

ScanModel::ScanModel(QObject* parent) : QAbstractTableModel(parent) {}

void ScanModel::clear()
{
    beginResetModel();
    m_hits.clear();
    endResetModel();
}

void ScanModel::addHit(const diagnosis::ScanHit& hit, bool hbx)
{
    diagnosis::ScanPlan plan;
    plan.from = plan.to = hit.address;
    plan.hbx = hbx;
    const QList<diagnosis::Target> targets = diagnosis::scanTargets(plan);
    // The value is read from the framed part; stray bytes ahead of the STX are not part of it.
    const QByteArray framed = wire::framedPart(hit.reply);
    std::optional<double> value;
    if (!targets.isEmpty() && !framed.isEmpty())
        value = wire::replyValue(diagnosis::commandOf(targets.front()), framed);
    beginInsertRows({}, int(m_hits.size()), int(m_hits.size()));
    m_hits << Found{hit, value, hbx};
    endInsertRows();
}

QList<int> ScanModel::addresses() const
{
    QList<int> found;
    for (const Found& f : m_hits)
        found << f.hit.address;
    return found;
}

int ScanModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

int ScanModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScanModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_hits.size())
        return {};
    const Found& found = m_hits[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Address:
            // An HBX address as the command carries it, two digits below 100, as the CSV has it.
            return QString::fromLatin1(wire::addressFieldOf(
                found.hbx ? wire::Function::Dc4 : wire::Function::Dc1, found.hit.address));
        case Reply:
            return wire::namedBytes(found.hit.reply);
        case ResponseMs:
            return diagnosis::millisecondsText(found.hit.responseUs);
        case Value:
            return FramesModel::valueText(found.value);
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() != Reply)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ScanModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < monitor_texts::ScanHeaders.size())
        return monitor_texts::ScanHeaders[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}
