// Percentiles read off the fixed logarithmic bins against the exact ones of
// the same data, the histogram's bars, and the counts.

#include "TestMain.h"
#include "diagnosis/ResponseStatistics.h"

#include <QTest>

#include <algorithm>
#include <random>

using namespace diagnosis;

namespace {

// The nearest-rank percentile of sorted data, in ms.
double exactPercentileMs(const std::vector<qint64>& sortedUs, double percent)
{
    const std::size_t rank =
        std::max<std::size_t>(1, std::size_t(std::ceil(percent / 100.0 * double(sortedUs.size()))));
    return double(sortedUs[rank - 1]) / 1000.0;
}

} // namespace

class tst_ResponseStatistics : public QObject
{
    Q_OBJECT

private slots:
    void percentilesWithinOnePercent_data();
    void percentilesWithinOnePercent();
    void histogramBars();
    void countsPerOutcome();
    void sizeDoesNotGrow();
};

void tst_ResponseStatistics::percentilesWithinOnePercent_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<double>("lowMs");
    QTest::addColumn<double>("highMs");

    QTest::newRow("uniform over a jittered reply delay") << "uniform" << 20.0 << 50.0;
    QTest::newRow("log-uniform over five decades") << "log" << 0.2 << 20000.0;
    QTest::newRow("below the first bin") << "uniform" << 0.001 << 0.099;
    QTest::newRow("across the first edge") << "uniform" << 0.05 << 0.3;
    QTest::newRow("a few slow ones") << "tail" << 30.0 << 2900.0;
}

void tst_ResponseStatistics::percentilesWithinOnePercent()
{
    QFETCH(QString, shape);
    QFETCH(double, lowMs);
    QFETCH(double, highMs);

    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    ResponseStatistics stats;
    std::vector<qint64> all;
    for (int i = 0; i < 20000; ++i) {
        double ms = lowMs + (highMs - lowMs) * unit(random);
        if (shape == u"log")
            ms = lowMs * std::pow(highMs / lowMs, unit(random));
        else if (shape == u"tail")
            ms = unit(random) < 0.97 ? lowMs + 5.0 * unit(random) : highMs * unit(random);
        const qint64 us = std::max<qint64>(1, qint64(ms * 1000.0));
        all.push_back(us);
        stats.add(Outcome::Ok, us, 0);
    }
    std::sort(all.begin(), all.end());
    QCOMPARE(stats.minMs(), double(all.front()) / 1000.0);
    QCOMPARE(stats.maxMs(), double(all.back()) / 1000.0);
    for (const double p : {50.0, 95.0, 99.0, 0.1, 100.0}) {
        const double exact = exactPercentileMs(all, p);
        const double read = stats.percentileMs(p);
        const double allowed = std::max(exact * 0.01, 0.1);
        QVERIFY2(std::abs(read - exact) <= allowed,
                 qPrintable(QStringLiteral("p%1: %2 ms, exact %3 ms").arg(p).arg(read).arg(exact)));
    }
}

void tst_ResponseStatistics::histogramBars()
{
    ResponseStatistics stats;
    for (const qint64 us : {50, 150, 999, 1000, 1001, 2500, 2600, 9999, 150000})
        stats.add(Outcome::Ok, us, 0);
    stats.add(Outcome::Timeout, -1, 0);

    // Edges at 0.1 × 10^(k/5) ms up to the time-out of 200 ms, and one below 0.1 ms.
    const QList<HistogramBucket> bars = stats.histogram(200.0);
    QCOMPARE(bars.size(), 1 + 17);
    QCOMPARE(bars[0].fromMs, 0.0);
    QCOMPARE(bars[0].toMs, 0.1);
    QCOMPARE(bars[0].count, quint64(1)); // 0.05 ms
    QCOMPARE(bars[1].fromMs, 0.1);
    QVERIFY(qFuzzyCompare(bars[1].toMs, 0.1 * std::pow(10.0, 0.2)));
    QCOMPARE(bars[1].count, quint64(1)); // 0.15 ms
    QCOMPARE(bars[5].count, quint64(1)); // 0.999 ms, below 1.0
    QVERIFY(qFuzzyCompare(bars[6].fromMs, 1.0));
    QCOMPARE(bars[6].count, quint64(2));  // 1.000 and 1.001 ms
    QCOMPARE(bars[7].count, quint64(1));  // 2.5 ms, below the edge at 2.512
    QCOMPARE(bars[8].count, quint64(1));  // 2.6 ms
    QCOMPARE(bars[10].count, quint64(1)); // 9.999 ms
    QCOMPARE(bars[16].count, quint64(1)); // 150 ms, in 100 to 158.5
    QCOMPARE(bars.back().toMs, 200.0);    // the last bar ends at the time-out
    QCOMPARE(bars.back().count, quint64(0));
    quint64 total = 0;
    for (const HistogramBucket& bar : bars)
        total += bar.count;
    QCOMPARE(total, quint64(9)); // the time-out has no response time
}

void tst_ResponseStatistics::countsPerOutcome()
{
    ResponseStatistics stats;
    stats.add(Outcome::Ok, 1000, 0);
    stats.add(Outcome::Ok, 2000, 3);
    stats.add(Outcome::Nak, 1500, 0);
    stats.add(Outcome::Check, 1200, 0);
    stats.add(Outcome::Timeout, -1, 0);
    stats.addLate(19, true);
    stats.addLate(5, false);
    stats.addStray(2);
    QCOMPARE(stats.sent(), quint64(5));
    QCOMPARE(stats.count(Outcome::Ok), quint64(2));
    QCOMPARE(stats.count(Outcome::Malformed), quint64(0));
    QCOMPARE(stats.responses(), quint64(4));
    QCOMPARE(stats.successRatio(), 0.4);
    QCOMPARE(stats.lateExchanges(), quint64(1));
    QCOMPARE(stats.lateBytes(), quint64(24));
    QCOMPARE(stats.noisyExchanges(), quint64(1));
    QCOMPARE(stats.noiseBytes(), quint64(5));
    QCOMPARE(ResponseStatistics().successRatio(), 0.0);
    QCOMPARE(ResponseStatistics().percentileMs(50), 0.0);
}

void tst_ResponseStatistics::sizeDoesNotGrow()
{
    // Everything is held in fixed arrays: a run of any length takes this much.
    static_assert(sizeof(ResponseStatistics) < 16 * 1024);
    ResponseStatistics stats;
    const ResponseStatistics before = stats;
    for (int i = 0; i < 100000; ++i)
        stats.add(Outcome::Ok, 1000 + i, 0);
    QCOMPARE(sizeof(stats), sizeof(before));
    QCOMPARE(stats.responses(), quint64(100000));
}

LINKBENCH_TEST_APPLESS_MAIN(tst_ResponseStatistics)
#include "tst_ResponseStatistics.moc"
