#pragma once

#include "diagnosis/ExchangeRecord.h"

#include <QAbstractTableModel>
#include <deque>
#include <vector>

// The 报文 page's log: exchanges and port events, newest first, held to a
// bound so that hours of polling do not grow memory (the oldest go first).
// Exchanges are queued as they end and shown in one batch at each redraw.
class FramesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Time, Target, Frame, Reply, Result, ResponseMs, Value, ColumnCount };
    static constexpr int kDefaultLimit = 10000;

    explicit FramesModel(QObject* parent = nullptr, int limit = kDefaultLimit);

    void addExchange(const diagnosis::ExchangeRecord& record);
    // A line of its own, such as "串口已断开：...", shown among the exchanges.
    void addNote(const QString& text);
    // Shows what was queued since the last call, in one insertion.
    void flush();
    void clear();

    int limit() const { return m_limit; }
    int pendingCount() const { return int(m_pending.size()); }

    struct Line
    {
        diagnosis::ExchangeRecord record;
        QString note; // not empty for a port event, which has no exchange
    };
    // Row 0 is the newest.
    const Line& line(int row) const { return m_lines[std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A reply's value as the page and the CSV show it: "" for none.
    static QString valueText(const std::optional<double>& value);

private:
    int m_limit;
    std::deque<Line> m_lines;    // front is the newest
    std::vector<Line> m_pending; // oldest first
};
