#include "SimOptions.h"
#include "SimTexts.h"
#include "TestMain.h"
#include "catalogue/AddressRanges.h"

#include <QTest>

using namespace sim;

class tst_SimOptions : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void optionsTaken();
    void speedForWireTime_data();
    void speedForWireTime();
    void addressLists_data();
    void addressLists();
    void refusedCommandLines_data();
    void refusedCommandLines();
    void everyFaultWithinItsBounds_data();
    void everyFaultWithinItsBounds();
};

void tst_SimOptions::defaults()
{
    const ParsedOptions parsed = parseSimOptions({});
    QVERIFY(parsed.error.isEmpty());
    const SimOptions& o = parsed.options;
    QVERIFY(o.device.isEmpty());
    QCOMPARE(o.settings, QStringLiteral("9600,n,8,2"));
    QCOMPARE(o.baud, 9600);
    QVERIFY(o.wireTime);
    QCOMPARE(o.replyDelayMs, 20);
    QCOMPARE(o.chunks, 1);
    QCOMPARE(o.faults.dropPercent, 0);
    QCOMPARE(o.faults.nakPercent, 0);
    QCOMPARE(o.faults.noiseCount, 0);
    QVERIFY(!o.seed.has_value());
    QCOMPARE(o.bus.instruments, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    QVERIFY(o.bus.faulty.isEmpty());
    QCOMPARE(o.bus.hbxAddressField(), QByteArray("05"));
    QVERIFY(!o.quiet);
    QVERIFY(!o.help);
}

void tst_SimOptions::optionsTaken()
{
    const ParsedOptions parsed = parseSimOptions({"--device",
                                                  "/dev/ttyUSB1",
                                                  "--reply-delay=0",
                                                  "--wire-time",
                                                  "off",
                                                  "--chunks",
                                                  "3",
                                                  "--chunk-gap",
                                                  "50",
                                                  "--noise=4",
                                                  "--drop",
                                                  "5",
                                                  "--nak",
                                                  "100",
                                                  "--bad-check",
                                                  "7",
                                                  "--late=3",
                                                  "--late-by",
                                                  "4000",
                                                  "--jitter",
                                                  "15",
                                                  "--seed",
                                                  "18446744073709551615",
                                                  "--bus",
                                                  "001-003,010",
                                                  "--faulty",
                                                  "002",
                                                  "--hbx",
                                                  "120",
                                                  "--quiet"});
    QCOMPARE(parsed.error, QString());
    const SimOptions& o = parsed.options;
    QCOMPARE(o.device, QStringLiteral("/dev/ttyUSB1"));
    QCOMPARE(o.replyDelayMs, 0);
    QVERIFY(!o.wireTime);
    QCOMPARE(o.chunks, 3);
    QCOMPARE(o.chunkGapMs, 50);
    QCOMPARE(o.faults.noiseCount, 4);
    QCOMPARE(o.faults.dropPercent, 5);
    QCOMPARE(o.faults.nakPercent, 100);
    QCOMPARE(o.faults.badCheckPercent, 7);
    QCOMPARE(o.faults.latePercent, 3);
    QCOMPARE(o.faults.lateByMs, 4000);
    QCOMPARE(o.faults.jitterMs, 15);
    QCOMPARE(o.seed, std::optional<quint64>(18446744073709551615ull));
    QCOMPARE(o.bus.instruments, (QList<int>{1, 2, 3, 10}));
    QCOMPARE(o.bus.faulty, QList<int>{2});
    QCOMPARE(o.bus.hbxAddressField(), QByteArray("120"));
    QVERIFY(o.quiet);
}

void tst_SimOptions::speedForWireTime_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("baud");

    QTest::newRow("from the settings") << QStringList{"--settings", "56000,n,8,2"} << 56000;
    QTest::newRow("--baud wins, given after")
        << QStringList{"--settings", "1200,n,8,2", "--baud", "38400"} << 38400;
    QTest::newRow("--baud wins, given before")
        << QStringList{"--baud", "38400", "--settings", "1200,n,8,2"} << 38400;
}

void tst_SimOptions::speedForWireTime()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, baud);
    const ParsedOptions parsed = parseSimOptions(arguments);
    QCOMPARE(parsed.error, QString());
    QCOMPARE(parsed.options.baud, baud);
}

void tst_SimOptions::addressLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QList<int>>("addresses");

    QTest::newRow("range with leading zeros") << "001-004" << true << QList<int>{1, 2, 3, 4};
    QTest::newRow("items and ranges, unordered and repeated")
        << "9,1-2,002,255" << true << QList<int>{1, 2, 9, 255};
    QTest::newRow("single address") << "7" << true << QList<int>{7};
    QTest::newRow("address 0") << "0-3" << false << QList<int>{};
    QTest::newRow("address 256") << "250-256" << false << QList<int>{};
    QTest::newRow("backwards range") << "5-1" << false << QList<int>{};
    QTest::newRow("letters") << "a-b" << false << QList<int>{};
    QTest::newRow("empty item") << "1,,2" << false << QList<int>{};
    QTest::newRow("three ends") << "1-2-3" << false << QList<int>{};
}

void tst_SimOptions::addressLists()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QList<int>, addresses);
    const std::optional<QList<int>> list = parseAscendingAddresses(text);
    QCOMPARE(list.has_value(), valid);
    if (valid)
        QCOMPARE(*list, addresses);
}

void tst_SimOptions::refusedCommandLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown option")
        << QStringList{"--fast"}
        << "未知选项 --fast（unknown option）；--help 列出全部选项（lists all options）";
    QTest::newRow("value missing at the end")
        << QStringList{"--drop"} << "选项 --drop 缺少取值（needs a value）";
    QTest::newRow("share above 100")
        << QStringList{"--drop", "101"} << "选项 --drop 的取值“101”无效（invalid value）";
    QTest::newRow("negative delay")
        << QStringList{"--reply-delay=-1"} << "选项 --reply-delay 的取值“-1”无效（invalid value）";
    QTest::newRow("no chunks") << QStringList{"--chunks", "0"}
                               << "选项 --chunks 的取值“0”无效（invalid value）";
    QTest::newRow("wire time yes")
        << QStringList{"--wire-time", "yes"} << "选项 --wire-time 的取值“yes”无效（invalid value）";
    QTest::newRow("settings with odd parity letter")
        << QStringList{"--settings", "9600,x,8,2"}
        << "选项 --settings 的取值“9600,x,8,2”无效（invalid value）";
    QTest::newRow("late share above 100")
        << QStringList{"--late", "101"} << "选项 --late 的取值“101”无效（invalid value）";
    QTest::newRow("bad-check share not a number")
        << QStringList{"--bad-check", "x"} << "选项 --bad-check 的取值“x”无效（invalid value）";
    QTest::newRow("negative jitter")
        << QStringList{"--jitter=-2"} << "选项 --jitter 的取值“-2”无效（invalid value）";
    QTest::newRow("HBX address 0")
        << QStringList{"--hbx", "0"} << "选项 --hbx 的取值“0”无效（invalid value）";
    QTest::newRow("seed not a number")
        << QStringList{"--seed", "abc"} << "选项 --seed 的取值“abc”无效（invalid value）";
    QTest::newRow("faulty instrument off the bus")
        << QStringList{"--bus", "1-3", "--faulty", "4"}
        << "--faulty 的地址须在 --bus 之内（faulty addresses must be on the bus）";
    QTest::newRow("quiet takes no value") << QStringList{"--quiet=1"}
                                          << "未知选项 --quiet=1（unknown option）；--help "
                                             "列出全部选项（lists all options）";
}

void tst_SimOptions::refusedCommandLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QCOMPARE(parseSimOptions(arguments).error, error);
}

void tst_SimOptions::everyFaultWithinItsBounds_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("taken");

    for (const Fault& fault : faultTable()) {
        const QByteArray name = fault.option.toUtf8();
        QTest::addRow("--%s at its lowest", name.data()) << fault.option << fault.low << true;
        QTest::addRow("--%s at its highest", name.data()) << fault.option << fault.high << true;
        QTest::addRow("--%s below", name.data()) << fault.option << fault.low - 1 << false;
        QTest::addRow("--%s above", name.data()) << fault.option << fault.high + 1 << false;
    }
}

void tst_SimOptions::everyFaultWithinItsBounds()
{
    QFETCH(QString, option);
    QFETCH(int, value);
    QFETCH(bool, taken);
    const QString spelling = QStringLiteral("--") + option;
    const ParsedOptions parsed = parseSimOptions({spelling, QString::number(value)});
    FaultSettings expected;
    if (taken)
        expected.*faultNamed(option)->setting = value;
    QCOMPARE(parsed.error,
             taken ? QString() : sim_texts::BadValue.arg(spelling, QString::number(value)));
    QVERIFY(parsed.options.faults == expected);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_SimOptions)
#include "tst_SimOptions.moc"
