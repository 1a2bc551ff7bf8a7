#include "ProcessValue.h"
#include "TestMain.h"

#include <QTest>

#include <cmath>

using namespace sim;

class tst_SimProcessValue : public QObject
{
    Q_OBJECT

private slots:
    void valuesAtKnownMoments_data();
    void valuesAtKnownMoments();
    void valueTexts_data();
    void valueTexts();
    void driftIsSlowAndStaysNearTheBase_data();
    void driftIsSlowAndStaysNearTheBase();
};

void tst_SimProcessValue::valuesAtKnownMoments_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("channel");
    QTest::addColumn<qint64>("msecs");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("every cycle starts at the base") << 1 << 1 << qint64(0) << QByteArray("+0011.0");
    QTest::newRow("15 s later the ripple has lifted it")
        << 1 << 1 << qint64(15000) << QByteArray("+0011.2");
    QTest::newRow("a quarter into the drift cycle of 001/01")
        << 1 << 1 << qint64(1'500'000) << QByteArray("+0013.1");
    QTest::newRow("005 channel 20 on a day in 1970")
        << 5 << 20 << qint64(123'456'789) << QByteArray("+0068.5");
    QTest::newRow("channel 90 of 011") << 11 << 90 << qint64(0) << QByteArray("+0200.0");
    QTest::newRow("before 1970 the waves run on")
        << 1 << 1 << qint64(-1'500'000) << QByteArray("+0008.9");
}

void tst_SimProcessValue::valuesAtKnownMoments()
{
    QFETCH(int, address);
    QFETCH(int, channel);
    QFETCH(qint64, msecs);
    QFETCH(QByteArray, text);
    QCOMPARE(processValueText(processValue(address, channel, msecs)), text);
}

void tst_SimProcessValue::valueTexts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("positive") << 123.4 << QByteArray("+0123.4");
    QTest::newRow("negative") << -3.5 << QByteArray("-0003.5");
    QTest::newRow("zero") << 0.0 << QByteArray("+0000.0");
    QTest::newRow("small negative rounds to plus zero") << -0.04 << QByteArray("+0000.0");
    QTest::newRow("five integer digits shown in full") << 12345.6 << QByteArray("+12345.6");
}

void tst_SimProcessValue::valueTexts()
{
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    QCOMPARE(processValueText(value), text);
}

void tst_SimProcessValue::driftIsSlowAndStaysNearTheBase_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("channel");
    QTest::newRow("001/01") << 1 << 1;
    QTest::newRow("011/90") << 11 << 90;
    QTest::newRow("007/33") << 7 << 33;
}

void tst_SimProcessValue::driftIsSlowAndStaysNearTheBase()
{
    QFETCH(int, address);
    QFETCH(int, channel);
    // Three hours read once a second: never more than a tenth from one read to
    // the next, never further from the base than both waves together, and it
    // does move.
    const double base = baseValue(address, channel);
    double previous = processValue(address, channel, 0);
    double lowest = previous;
    double highest = previous;
    for (qint64 s = 1; s <= 3 * 3600; ++s) {
        const double value = processValue(address, channel, s * 1000);
        QVERIFY2(std::fabs(value - previous) <= 0.1, qPrintable(QString::number(s)));
        QVERIFY(std::fabs(value - base) <= kDriftAmplitude + kRippleAmplitude + 1e-9);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        previous = value;
    }
    QVERIFY(highest - lowest > 3.0);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_SimProcessValue)
#include "tst_SimProcessValue.moc"
