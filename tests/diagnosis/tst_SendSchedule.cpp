// When sends are due: an interval apart from the first, a quiet gap after an
// exchange that overran its slot, later when stray bytes keep the line busy.

#include "TestMain.h"
#include "diagnosis/SendSchedule.h"

#include <QTest>

using namespace diagnosis;

class tst_SendSchedule : public QObject
{
    Q_OBJECT

private slots:
    void dueTimes_data();
    void dueTimes();
};

void tst_SendSchedule::dueTimes_data()
{
    QTest::addColumn<qint64>("intervalUs");
    QTest::addColumn<qint64>("gapUs");
    // Events after a first send at 1000: "e" an exchange ending, "b" bytes
    // arriving between exchanges, each at the time given.
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QList<qint64>>("due"); // the next send after each event

    QTest::newRow("short exchanges keep the interval without drift")
        << qint64(100'000) << qint64(3'000) << QStringList{"e 31000", "e 131500", "e 230900"}
        << QList<qint64>{101'000, 201'000, 301'000};
    QTest::newRow("an overrun is followed by the gap, no burst after it")
        << qint64(100'000) << qint64(3'000) << QStringList{"e 250000", "e 290000", "e 380000"}
        << QList<qint64>{253'000, 353'000, 453'000};
    QTest::newRow("back to back: one gap after each exchange")
        << qint64(0) << qint64(3'438) << QStringList{"e 31000", "e 62000"}
        << QList<qint64>{34'438, 65'438};
    QTest::newRow("no gap, no interval: at once")
        << qint64(0) << qint64(0) << QStringList{"e 6000"} << QList<qint64>{6'000};
    QTest::newRow("late bytes push the send back to a gap after them")
        << qint64(0) << qint64(5'000) << QStringList{"e 301000", "b 303000", "b 309000"}
        << QList<qint64>{306'000, 308'000, 314'000};
    QTest::newRow("bytes well before the slot change nothing")
        << qint64(100'000) << qint64(5'000) << QStringList{"e 40000", "b 50000"}
        << QList<qint64>{101'000, 101'000};
}

void tst_SendSchedule::dueTimes()
{
    QFETCH(qint64, intervalUs);
    QFETCH(qint64, gapUs);
    QFETCH(QStringList, events);
    QFETCH(QList<qint64>, due);

    SendSchedule schedule(intervalUs, gapUs);
    QCOMPARE(schedule.start(1000), qint64(1000));
    QList<qint64> got;
    for (const QString& event : events) {
        const qint64 at = event.mid(2).toLongLong();
        got << (event.startsWith(u'e') ? schedule.exchangeEnded(at) : schedule.lineBusy(at));
    }
    QCOMPARE(got, due);
    QCOMPARE(schedule.nextDueUs(), due.back());
}

LINKBENCH_TEST_APPLESS_MAIN(tst_SendSchedule)
#include "tst_SendSchedule.moc"
