#include "LineFaults.h"
#include "TestMain.h"
#include "WireText.h"

#include <QTest>

#include <array>

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
    void spoiledCheckNoLongerSums_data();
    void spoiledCheckNoLongerSums();
    void jitterSpreadsOverItsRange();
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
    LineFaults drops(FaultSettings{.dropPercent = percent}, 42);
    LineFaults naks(FaultSettings{.nakPercent = percent}, 42);
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
    const FaultSettings settings{.dropPercent = 30, .nakPercent = 30, .noiseCount = 4};
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
    LineFaults faults(FaultSettings{.noiseCount = 1000}, 1);
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

void tst_SimLineFaults::spoiledCheckNoLongerSums_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("spoiled");

    QTest::newRow("process value")
        << onWire("<STX>00101+0011.000575<ETB>") << onWire("<STX>00101+0011.000576<ETB>");
    QTest::newRow("last digit 9 wraps to 0")
        << onWire("<STX>0572<RS>00239<ETB>") << onWire("<STX>0572<RS>00230<ETB>");
    QTest::newRow("too short to carry a field") << onWire("<ETB>") << onWire("<ETB>");
}

void tst_SimLineFaults::spoiledCheckNoLongerSums()
{
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, spoiled);
    QCOMPARE(LineFaults::withSpoiledCheck(reply), spoiled);
}

void tst_SimLineFaults::jitterSpreadsOverItsRange()
{
    FaultSettings settings;
    settings.jitterMs = 10;
    LineFaults faults(settings, 5);
    qint64 low = 1'000'000'000;
    qint64 high = -1;
    std::array<int, 10> perMs{};
    for (int i = 0; i < 10000; ++i) {
        const qint64 ns = faults.jitterNs();
        low = std::min(low, ns);
        high = std::max(high, ns);
        ++perMs[std::size_t(std::min<qint64>(ns / 1'000'000, 9))];
    }
    QVERIFY2(low >= 0 && low < 50'000, qPrintable(QString::number(low)));
    QVERIFY2(high <= 10'000'000 && high > 9'950'000, qPrintable(QString::number(high)));
    // Uniform: each millisecond gets about a tenth of the draws.
    for (const int n : perMs)
        QVERIFY2(n > 850 && n < 1150, qPrintable(QString::number(n)));
    QCOMPARE(LineFaults(FaultSettings{}, 5).jitterNs(), qint64(0));
}

LINKBENCH_TEST_APPLESS_MAIN(tst_SimLineFaults)
#include "tst_SimLineFaults.moc"
