#include "LineFaults.h"

#include <QTest>

using sim::FaultSettings;
using sim::LineFaults;

class tst_SimLineFaults : public QObject
{
    Q_OBJECT

private slots:
    void shareOfFaults_data();
    void shareOfFaults();
    void sameSeedRepeatsTheRun();
    void noiseIsPrintable();
    void split_data();
    void split();
};

void tst_SimLineFaults::shareOfFaults_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");

    // 20,000 draws: the share lies within about four standard deviations.
    QTest::newRow("none") << 0 << 0 << 0;
    QTest::newRow("five percent") << 5 << 880 << 1120;
    QTest::newRow("half") << 50 << 9700 << 10300;
    QTest::newRow("all") << 100 << 20000 << 20000;
}

void tst_SimLineFaults::shareOfFaults()
{
    QFETCH(int, percent);
    QFETCH(int, low);
    QFETCH(int, high);
    LineFaults drops(FaultSettings{percent, 0, 0}, 42);
    LineFaults naks(FaultSettings{0, percent, 0}, 42);
    int dropped = 0;
    int refused = 0;
    for (int i = 0; i < 20000; ++i) {
        dropped += drops.dropReply() ? 1 : 0;
        refused += naks.refuseWrite() ? 1 : 0;
    }
    QVERIFY2(dropped >= low && dropped <= high, qPrintable(QString::number(dropped)));
    QVERIFY2(refused >= low && refused <= high, qPrintable(QString::number(refused)));
}

void tst_SimLineFaults::sameSeedRepeatsTheRun()
{
    const FaultSettings settings{30, 30, 4};
    auto run = [&](quint64 seed) {
        LineFaults faults(settings, seed);
        QByteArray trace;
        for (int i = 0; i < 200; ++i)
            trace += QByteArray(faults.dropReply() ? "d" : "-") +
                     (faults.refuseWrite() ? "n" : "-") + faults.noise();
        return trace;
    };
    QCOMPARE(run(7), run(7));
    QVERIFY(run(7) != run(8));
}

void tst_SimLineFaults::noiseIsPrintable()
{
    LineFaults faults(FaultSettings{0, 0, 1000}, 1);
    const QByteArray noise = faults.noise();
    QCOMPARE(noise.size(), 1000);
    for (const char c : noise)
        QVERIFY2(c >= '!' && c <= '~', qPrintable(QString::number(int(c))));
    // Over a thousand characters most of the 94 printable ones turn up.
    QVERIFY(QSet<char>(noise.begin(), noise.end()).size() > 80);
    QCOMPARE(LineFaults(FaultSettings{}, 1).noise(), QByteArray());
}

void tst_SimLineFaults::split_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<QByteArrayList>("parts");

    QTest::newRow("one piece") << QByteArray("abcdef") << 1 << QByteArrayList{"abcdef"};
    QTest::newRow("nineteen bytes in three, longer first")
        << QByteArray("0123456789abcdefghi") << 3 << QByteArrayList{"0123456", "789abc", "defghi"};
    QTest::newRow("even split") << QByteArray("abcdef") << 2 << QByteArrayList{"abc", "def"};
    QTest::newRow("more pieces than bytes") << QByteArray("ab") << 5 << QByteArrayList{"a", "b"};
    QTest::newRow("single acknowledgement byte")
        << QByteArray("\x06") << 3 << QByteArrayList{"\x06"};
}

void tst_SimLineFaults::split()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, pieces);
    QFETCH(QByteArrayList, parts);
    QCOMPARE(LineFaults::split(bytes, pieces), parts);
}

QTEST_APPLESS_MAIN(tst_SimLineFaults)
#include "tst_SimLineFaults.moc"
