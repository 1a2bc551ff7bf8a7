#include "TestMain.h"
#include "protocol/SendStamp.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The header stamp of an exchange: month, day and hour without leading zeros,
// minutes and seconds always two digits.
class tst_SendStamp : public QObject
{
    Q_OBJECT

private slots:
    void stamp_data();
    void stamp();
    void prefixCodePoints();
};

void tst_SendStamp::stamp_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("text");

    QTest::newRow("single-digit day and hour")
        << QDateTime(QDate(2026, 12, 7), QTime(6, 3, 46)) << u" ◆◆  测试时间:2026-12-7 6:03:46"_s;
    QTest::newRow("single-digit month, afternoon")
        << QDateTime(QDate(2001, 8, 20), QTime(14, 3, 5)) << u" ◆◆  测试时间:2001-8-20 14:03:05"_s;
    QTest::newRow("midnight on new year")
        << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0)) << u" ◆◆  测试时间:2027-1-1 0:00:00"_s;
    QTest::newRow("last second of the year") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))
                                             << u" ◆◆  测试时间:2026-12-31 23:59:59"_s;
}

void tst_SendStamp::stamp()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, text);
    QCOMPARE(sendStamp(now), text);
}

void tst_SendStamp::prefixCodePoints()
{
    // One space, two U+25C6 diamonds, two spaces, 测试时间 and an ASCII colon.
    const QList<int> expected = {0x20,   0x25C6, 0x25C6, 0x20,   0x20,
                                 0x6D4B, 0x8BD5, 0x65F6, 0x95F4, 0x3A};
    const QString stamp = sendStamp(QDateTime(QDate(2026, 12, 7), QTime(6, 3, 46)));
    QList<int> actual;
    for (const QChar c : stamp.left(expected.size()))
        actual << c.unicode();
    QCOMPARE(actual, expected);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_SendStamp)
#include "tst_SendStamp.moc"
