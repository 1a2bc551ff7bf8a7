#include "monitor/StatisticsModel.h"

#include "monitor/MonitorTexts.h"

#include <QApplication>
#include <QFont>
#include <QStyle>

#include <algorithm>

StatisticsModel::StatisticsModel(QObject* parent) : QAbstractTableModel(parent) {}

void StatisticsModel::startRun(const QList<diagnosis::Target>& targets, int timeoutMs)
{
    beginResetModel();
    m_timeoutMs = timeoutMs;
    m_rows.assign(std::size_t(targets.size() + 1), Row{});
    for (qsizetype i = 0; i < targets.size(); ++i)
        m_rows[std::size_t(i)].label = diagnosis::targetLabel(targets[i]);
    m_rows.back().label = monitor_texts::TotalRow;
    endResetModel();
}

void StatisticsModel::addTarget(const diagnosis::Target& target)
{
    if (m_rows.empty())
        return;
    const int row = int(m_rows.size()) - 1;
    beginInsertRows({}, row, row);
    Row added;
    added.label = diagnosis::targetLabel(target);
    m_rows.insert(m_rows.begin() + row, added);
    endInsertRows();
}

void StatisticsModel::noteExchange(const diagnosis::ExchangeRecord& record)
{
    if (record.responseUs < 0 || m_rows.empty())
        return;
    if (record.targetIndex >= 0 && std::size_t(record.targetIndex) + 1 < m_rows.size())
        m_rows[std::size_t(record.targetIndex)].lastResponse = record.sentAt;
    m_rows.back().lastResponse = record.sentAt;
}

const QStringList& StatisticsModel::headers()
{
    static const QStringList heads = [] {
        QStringList list = monitor_texts::StatisticsHeadersBefore;
        for (const diagnosis::OutcomeKind& kind : diagnosis::kOutcomes)
            list << diagnosis::outcomeLabel(kind.outcome);
        return list + monitor_texts::StatisticsHeadersAfter;
    }();
    return heads;
}

void StatisticsModel::fill(Row& row, const diagnosis::ResponseStatistics& statistics)
{
    for (const diagnosis::OutcomeKind& kind : diagnosis::kOutcomes)
        row.counts[std::size_t(kind.outcome)] = statistics.count(kind.outcome);
    row.sent = statistics.sent();
    row.succeeded = statistics.succeeded();
    row.late = statistics.lateExchanges();
    row.responses = statistics.responses();
    row.successPercent = 100.0 * statistics.successRatio();
    row.minMs = statistics.minMs();
    row.medianMs = statistics.medianMs();
    row.p95Ms = statistics.percentileMs(95);
    row.p99Ms = statistics.percentileMs(99);
    row.maxMs = statistics.maxMs();
}

void StatisticsModel::refresh(const diagnosis::RunStatistics& statistics,
                              const diagnosis::BusListener* listener)
{
    if (m_rows.empty())
        return;
    const std::size_t targets = m_rows.size() - 1;
    const auto rhythm = [](Row& row, const diagnosis::PollRhythm& r) {
        row.intervals = r.intervals.responses();
        row.intervalMs = r.intervals.medianMs();
        row.intervalMaxMs = r.intervals.maxMs();
    };
    for (std::size_t i = 0; i < targets && i < statistics.perTarget.size(); ++i) {
        fill(m_rows[i], statistics.perTarget[i]);
        if (listener && qsizetype(i) < listener->targets().size())
            rhythm(m_rows[i], listener->rhythm(qsizetype(i)));
    }
    fill(m_rows.back(), statistics.overall);
    if (listener)
        rhythm(m_rows.back(), listener->cycle());
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

bool StatisticsModel::isTrouble(int row, int column) const
{
    if (row < 0 || std::size_t(row) >= m_rows.size())
        return false;
    const Row& r = m_rows[std::size_t(row)];
    if (column == Success)
        return r.sent > 0 && r.succeeded < r.sent;
    if (column == P99Ms)
        return r.responses > 0 && r.p99Ms > m_timeoutMs / 2.0;
    return false;
}

int StatisticsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int StatisticsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString StatisticsModel::cellText(const Row& row, int column) const
{
    const auto ms = [&row](double value) {
        return row.responses > 0 ? QString::number(value, 'f', value < 10 ? 2 : 1) : QString();
    };
    if (column >= FirstOutcome && column < Late)
        return QString::number(row.counts[std::size_t(column - FirstOutcome)]);
    switch (column) {
    case Target:
        return row.label;
    case Sent:
        return QString::number(row.sent);
    case Late:
        return QString::number(row.late);
    case Success:
        return row.sent > 0 ? QString::number(row.successPercent, 'f', 1) : QString();
    case MinMs:
        return ms(row.minMs);
    case MedianMs:
        return ms(row.medianMs);
    case P95Ms:
        return ms(row.p95Ms);
    case P99Ms:
        return ms(row.p99Ms);
    case MaxMs:
        return ms(row.maxMs);
    case LastResponse:
        return row.lastResponse.isValid() ? row.lastResponse.toString(QStringLiteral("HH:mm:ss"))
                                          : QString();
    case IntervalMs:
        return row.intervals > 0 ? QString::number(row.intervalMs, 'f', 1) : QString();
    case IntervalMaxMs:
        return row.intervals > 0 ? QString::number(row.intervalMaxMs, 'f', 1) : QString();
    }
    return {};
}

QVariant StatisticsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= m_rows.size())
        return {};
    const Row& row = m_rows[std::size_t(index.row())];
    const bool total = std::size_t(index.row()) + 1 == m_rows.size();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, index.column());
    case Qt::TextAlignmentRole:
        return int((index.column() == Target ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    case Qt::FontRole:
        if (total || isTrouble(index.row(), index.column())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::DecorationRole:
        if (isTrouble(index.row(), index.column()))
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return {};
    }
    return {};
}

QVariant StatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return headers()[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

QList<QStringList> StatisticsModel::tableTexts() const
{
    const bool intervals =
        std::any_of(m_rows.begin(), m_rows.end(), [](const Row& row) { return row.intervals > 0; });
    const int columns = intervals ? int(ColumnCount) : int(IntervalMs);
    QList<QStringList> table{headers().first(columns)};
    for (const Row& row : m_rows) {
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells << cellText(row, column);
        table << cells;
    }
    return table;
}
