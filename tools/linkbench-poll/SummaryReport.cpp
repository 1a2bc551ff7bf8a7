#include "SummaryReport.h"

#include "PollTexts.h"

#include <algorithm>
#include <cmath>

namespace poll {

namespace {

using diagnosis::ResponseStatistics;

// sent, one column per outcome, then the rest.
QStringList columns()
{
    QStringList heads{QStringLiteral("sent")};
    for (const diagnosis::OutcomeKind& kind : diagnosis::kOutcomes)
        heads << diagnosis::outcomeName(kind.outcome);
    return heads + QStringList{"late", "success%", "min", "median", "p95", "p99", "max(ms)"};
}

QString msText(double ms)
{
    return QString::number(ms, 'f', 2);
}

QStringList rowCells(const ResponseStatistics& s)
{
    QStringList cells = {QString::number(s.sent())};
    for (const diagnosis::OutcomeKind& kind : diagnosis::kOutcomes)
        cells << QString::number(s.count(kind.outcome));
    cells << QString::number(s.lateExchanges())
          << QString::number(s.successRatio() * 100.0, 'f', 1);
    if (s.responses() == 0) {
        for (int i = 0; i < 5; ++i)
            cells << QStringLiteral("-");
    } else {
        cells << msText(s.minMs()) << msText(s.medianMs()) << msText(s.percentileMs(95))
              << msText(s.percentileMs(99)) << msText(s.maxMs());
    }
    return cells;
}

} // namespace

QString summaryTable(const QStringList& labels, const diagnosis::RunStatistics& statistics)
{
    QList<QStringList> rows;
    rows << (QStringList{QStringLiteral("target")} + columns());
    for (qsizetype i = 0; i < labels.size() && i < qsizetype(statistics.perTarget.size()); ++i)
        rows << (QStringList{labels[i]} + rowCells(statistics.perTarget[std::size_t(i)]));
    rows << (QStringList{poll_texts::Overall} + rowCells(statistics.overall));

    QList<qsizetype> widths(rows.front().size(), 0);
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    QString text;
    for (const QStringList& row : rows) {
        QString line = row[0].leftJustified(widths[0]);
        for (qsizetype c = 1; c < row.size(); ++c)
            line += QStringLiteral("  ") + row[c].rightJustified(widths[c]);
        text += line + u'\n';
    }
    return text;
}

QString edgeText(double ms)
{
    if (ms <= 0.0)
        return QStringLiteral("0");
    // Rounded to three significant digits first, so 9.99999 reads "10.0", not "10.00".
    const double scale = std::pow(10.0, 2 - int(std::floor(std::log10(ms))));
    const double rounded = std::round(ms * scale) / scale;
    const int decimals = std::clamp(2 - int(std::floor(std::log10(rounded))), 0, 2);
    return QString::number(rounded, 'f', decimals);
}

QString histogramText(const diagnosis::ResponseStatistics& statistics, double limitMs, int barWidth)
{
    const QList<diagnosis::HistogramBucket> bars = statistics.histogram(limitMs);
    qsizetype first = -1;
    qsizetype last = -1;
    quint64 highest = 0;
    for (qsizetype i = 0; i < bars.size(); ++i) {
        if (bars[i].count == 0)
            continue;
        if (first < 0)
            first = i;
        last = i;
        highest = std::max(highest, bars[i].count);
    }
    if (first < 0)
        return poll_texts::NoResponses + u'\n';
    QString text;
    for (qsizetype i = first; i <= last; ++i) {
        const diagnosis::HistogramBucket& bar = bars[i];
        const int length = int((bar.count * quint64(barWidth) + highest - 1) / highest);
        text += QStringLiteral("%1 - %2 ms | %3 %4\n")
                    .arg(edgeText(bar.fromMs), 7)
                    .arg(edgeText(bar.toMs), 7)
                    .arg(QString(length, u'#').leftJustified(barWidth))
                    .arg(bar.count);
    }
    return text;
}

} // namespace poll
