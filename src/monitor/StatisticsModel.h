#pragma once

#include "diagnosis/BusListener.h"
#include "diagnosis/ExchangeRecord.h"
#include "diagnosis/ResponseStatistics.h"

#include <QAbstractTableModel>
#include <QList>
#include <array>
#include <vector>

// The 统计 page: one row per target and a total row (合计) with the counts per
// outcome, the late count, the success share and the response-time figures.
// It holds a copy of the figures taken at the last refresh, so that the table
// only changes at a redraw. Cells that signal trouble (success below 100 %,
// p99 above half the time-out) are bold and carry the warning icon.
class StatisticsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        Target,
        Sent,
        // One column per outcome, in the order of diagnosis::kOutcomes.
        FirstOutcome,
        Late = FirstOutcome + int(diagnosis::kOutcomeCount),
        Success,
        MinMs,
        MedianMs,
        P95Ms,
        P99Ms,
        MaxMs,
        LastResponse,
        IntervalMs,    // listening: the median time between the master's commands to it
        IntervalMaxMs, // and the longest; the total row has the master's cycle
        ColumnCount
    };

    explicit StatisticsModel(QObject* parent = nullptr);

    // The column that counts `outcome`.
    static int outcomeColumn(diagnosis::Outcome outcome) { return FirstOutcome + int(outcome); }

    // A new run: its targets' labels and time-out; the table empties.
    void startRun(const QList<diagnosis::Target>& targets, int timeoutMs);
    // Notes the time of the last reply of each target.
    void noteExchange(const diagnosis::ExchangeRecord& record);
    // Listening: a target the master addressed for the first time, before the total row.
    void addTarget(const diagnosis::Target& target);
    // Takes the run's figures as they are now, and a listen's poll intervals.
    void refresh(const diagnosis::RunStatistics& statistics,
                 const diagnosis::BusListener* listener = nullptr);

    // Whether the cell signals trouble.
    bool isTrouble(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Each row's cells as the table shows them, header first: for the report.
    // The interval columns only when a listen filled them.
    QList<QStringList> tableTexts() const;

private:
    struct Row
    {
        QString label;
        std::array<quint64, diagnosis::kOutcomeCount> counts{}; // by diagnosis::Outcome
        quint64 sent = 0;
        quint64 succeeded = 0;
        quint64 late = 0;
        quint64 responses = 0;
        double successPercent = 0;
        double minMs = 0, medianMs = 0, p95Ms = 0, p99Ms = 0, maxMs = 0;
        QDateTime lastResponse;
        quint64 intervals = 0;
        double intervalMs = 0, intervalMaxMs = 0;
    };
    static const QStringList& headers();
    static void fill(Row& row, const diagnosis::ResponseStatistics& statistics);
    QString cellText(const Row& row, int column) const;

    std::vector<Row> m_rows; // the targets, then the total
    int m_timeoutMs = 3000;
};
