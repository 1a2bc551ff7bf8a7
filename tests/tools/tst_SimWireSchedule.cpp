#include "TestMain.h"
#include "WireSchedule.h"

#include <QTest>

using namespace sim;

namespace {

// At 11,000 bit/s a character of 11 bits takes exactly one millisecond.
constexpr int kMsBaud = 11000;
constexpr qint64 ms = 1'000'000;

} // namespace

class tst_SimWireSchedule : public QObject
{
    Q_OBJECT

private slots:
    void characterTime_data();
    void characterTime();
    void plans_data();
    void plans();
    void arrivals();
};

void tst_SimWireSchedule::characterTime_data()
{
    QTest::addColumn<qint64>("chars");
    QTest::addColumn<int>("baud");
    QTest::addColumn<qint64>("ns");

    QTest::newRow("one character at 9600") << qint64(1) << 9600 << qint64(1'145'833);
    QTest::newRow("read-value exchange at 56000, 7 + 19 characters")
        << qint64(26) << 56000 << qint64(5'107'142);
    QTest::newRow("one character at 1200") << qint64(1) << 1200 << qint64(9'166'666);
    QTest::newRow("no wire time") << qint64(100) << 0 << qint64(0);
}

void tst_SimWireSchedule::characterTime()
{
    QFETCH(qint64, chars);
    QFETCH(int, baud);
    QFETCH(qint64, ns);
    QCOMPARE(wireNs(chars, baud), ns);
}

void tst_SimWireSchedule::plans_data()
{
    QTest::addColumn<QByteArrayList>("pieces");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QList<TimedWrite>>("writes");
    QTest::addColumn<qint64>("end");

    const qint64 start = 100 * ms;
    QTest::newRow("whole reply at once without wire time")
        << QByteArrayList{"abc"} << 0 << QList<TimedWrite>{{start, "abc"}} << start;
    QTest::newRow("pieces a gap apart without wire time")
        << QByteArrayList{"ab", "c"} << 0 << QList<TimedWrite>{{start, "ab"}, {start + 5 * ms, "c"}}
        << start + 5 * ms;
    QTest::newRow("each character when its last bit arrives")
        << QByteArrayList{"abc"} << kMsBaud
        << QList<TimedWrite>{{start + 1 * ms, "a"}, {start + 2 * ms, "b"}, {start + 3 * ms, "c"}}
        << start + 3 * ms;
    QTest::newRow("gap between paced pieces")
        << QByteArrayList{"ab", "c"} << kMsBaud
        << QList<TimedWrite>{{start + 1 * ms, "a"}, {start + 2 * ms, "b"}, {start + 8 * ms, "c"}}
        << start + 8 * ms;
}

void tst_SimWireSchedule::plans()
{
    QFETCH(QByteArrayList, pieces);
    QFETCH(int, baud);
    QFETCH(QList<TimedWrite>, writes);
    QFETCH(qint64, end);
    const WirePlan plan = planTransmission(pieces, 100 * ms, 5 * ms, baud);
    QCOMPARE(plan.writes.size(), writes.size());
    for (qsizetype i = 0; i < writes.size(); ++i) {
        QCOMPARE(plan.writes[i].dueNs, writes[i].dueNs);
        QCOMPARE(plan.writes[i].bytes, writes[i].bytes);
    }
    QCOMPARE(plan.endNs, end);
}

void tst_SimWireSchedule::arrivals()
{
    ArrivalModel paced(kMsBaud);
    // Three bytes read at once at 10 ms came in one character time after another.
    QCOMPARE(paced.arrive(10 * ms), 11 * ms);
    QCOMPARE(paced.arrive(10 * ms), 12 * ms);
    QCOMPARE(paced.arrive(10 * ms), 13 * ms);
    // A byte read while the line is still busy queues behind the others.
    QCOMPARE(paced.arrive(12 * ms), 14 * ms);
    // After a pause the line starts afresh at the read.
    QCOMPARE(paced.arrive(50 * ms), 51 * ms);

    ArrivalModel unpaced(0);
    QCOMPARE(unpaced.arrive(10 * ms), 10 * ms);
    QCOMPARE(unpaced.arrive(10 * ms), 10 * ms);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_SimWireSchedule)
#include "tst_SimWireSchedule.moc"
