// linkbench-poll's command line: what a good one sets, and the exact message
// for each kind of bad one.

#include "PollOptions.h"
#include "TestMain.h"

#include <QTest>

using namespace poll;
using diagnosis::Function;

class tst_PollOptions : public QObject
{
    Q_OBJECT

private slots:
    void pollRunTaken();
    void defaults();
    void scanTaken();
    void refused_data();
    void refused();
};

void tst_PollOptions::pollRunTaken()
{
    const ParsedPoll parsed =
        parsePollOptions({"--port",     "/dev/ttyUSB0", "--settings=56000,N,8,2",
                          "--function", "DC3",          "--address",
                          "3-4,001",    "--channel",    "2",
                          "--param",    "12",           "--value",
                          "-7.5",       "--interval",   "250",
                          "--timeout",  "800",          "--gap",
                          "5",          "--count",      "1000",
                          "--duration", "60",           "--no-check",
                          "--csv",      "/tmp/run.csv", "--quiet"});
    QCOMPARE(parsed.error, QString());
    const PollOptions& o = parsed.options;
    QVERIFY(!o.scan);
    QCOMPARE(o.plan.port, QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(o.plan.settings, QStringLiteral("56000,n,8,2"));
    QCOMPARE(o.plan.intervalMs, 250);
    QCOMPARE(o.plan.timeoutMs, 800);
    QCOMPARE(o.plan.gapMs, 5);
    QCOMPARE(o.plan.count, qint64(1000));
    QCOMPARE(o.plan.durationMs, qint64(60000));
    QVERIFY(!o.plan.checkField);
    QCOMPARE(o.csvPath, QStringLiteral("/tmp/run.csv"));
    QVERIFY(o.quiet);
    const diagnosis::Target t3{Function::Dc3, 3, "02", "12", "-7.5"};
    QCOMPARE(o.plan.targets, (QList<diagnosis::Target>{{Function::Dc3, 1, "02", "12", "-7.5"},
                                                       t3,
                                                       {Function::Dc3, 4, "02", "12", "-7.5"}}));
}

void tst_PollOptions::defaults()
{
    ParsedPoll parsed = parsePollOptions({});
    QCOMPARE(parsed.error, QString());
    QCOMPARE(parsed.options.plan.port, QStringLiteral("COM1"));
    QCOMPARE(parsed.options.plan.settings, QStringLiteral("9600,n,8,2"));
    QCOMPARE(parsed.options.plan.timeoutMs, 3000);
    QCOMPARE(parsed.options.plan.gapMs, -1);
    QCOMPARE(parsed.options.plan.count, qint64(0));
    QVERIFY(parsed.options.plan.checkField);
    QCOMPARE(parsed.options.plan.targets, QList<diagnosis::Target>{diagnosis::Target{}});
    // The HBX function asks for the current values unless told otherwise.
    parsed = parsePollOptions({"--function", "dc4", "--address", "5"});
    QCOMPARE(parsed.options.plan.targets.front().param, QStringLiteral("73"));
    QVERIFY(parsePollOptions({"-h"}).options.help);
    QVERIFY(parsePollOptions({"--help"}).options.help);
}

void tst_PollOptions::scanTaken()
{
    ParsedPoll parsed =
        parsePollOptions({"scan", "--from", "3", "--to=40", "--hbx", "--port", "COM2"});
    QCOMPARE(parsed.error, QString());
    QVERIFY(parsed.options.scan);
    const diagnosis::ScanPlan& s = parsed.options.scanPlan;
    QCOMPARE(s.from, 3);
    QCOMPARE(s.to, 40);
    QVERIFY(s.hbx);
    QCOMPARE(s.timeoutMs, 300);
    QCOMPARE(s.port, QStringLiteral("COM2"));
    parsed = parsePollOptions({"scan"});
    QCOMPARE(parsed.options.scanPlan.from, 1);
    QCOMPARE(parsed.options.scanPlan.to, 255);
    QVERIFY(!parsed.options.scanPlan.hbx);
}

void tst_PollOptions::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown option")
        << QStringList{"--fast"}
        << "未知选项 --fast（unknown option）；--help 列出全部选项（lists all options）";
    QTest::newRow("address 0") << QStringList{"--address", "0"}
                               << "--address 的取值“0”无效：地址为 1 到 255，例如 "
                                  "1-11,15（addresses 1 to 255, e.g. 1-11,15）";
    QTest::newRow("address 256 in a list")
        << QStringList{"--address", "1-11,256"}
        << "--address 的取值“1-11,256”无效：地址为 1 到 255，例如 1-11,15（addresses 1 to 255, "
           "e.g. 1-11,15）";
    QTest::newRow("backwards address range") << QStringList{"--address", "9-3"}
                                             << "--address 的取值“9-3”无效：地址为 1 到 255，例如 "
                                                "1-11,15（addresses 1 to 255, e.g. 1-11,15）";
    QTest::newRow("parameter not in the list")
        << QStringList{"--param", "58"}
        << "--param 的取值“58”不在参数表中：01 到 57、70 到 74（not in the parameter list）";
    QTest::newRow("parameter of three digits")
        << QStringList{"--param", "011"}
        << "--param 的取值“011”不在参数表中：01 到 57、70 到 74（not in the parameter list）";
    QTest::newRow("value not a number") << QStringList{"--function", "dc3", "--value", "1,5"}
                                        << "--value 的取值“1,5”不是数值（not a number）";
    QTest::newRow("function dc5")
        << QStringList{"--function", "dc5"}
        << "--function 的取值“dc5”无效：应为 dc1、dc2、dc3 或 dc4（dc1 to dc4）";
    QTest::newRow("channel 65")
        << QStringList{"--channel", "65"}
        << "--channel 的取值“65”无效：通道为 00 到 64 或 90（channels 00 to 64 and 90）";
    QTest::newRow("speed not in the list")
        << QStringList{"--settings", "115200,n,8,2"}
        << "--settings 的取值“115200,n,8,2”不在线路设置列表中：1200,n,8,2 2400,n,8,2 4800,n,8,2 "
           "9600,n,8,2 19200,n,8,2 38400,n,8,2 56000,n,8,2（not one of the tool's line settings）";
    QTest::newRow("time-out of 0")
        << QStringList{"--timeout", "0"}
        << "选项 --timeout 的取值“0”无效：应为 1 到 600000 的整数（an integer from 1 to 600000）";
    QTest::newRow("negative count") << QStringList{"--count", "-1"}
                                    << "选项 --count 的取值“-1”无效：应为 0 到 1000000000000 "
                                       "的整数（an integer from 0 to 1000000000000）";
    QTest::newRow("interval with a unit") << QStringList{"--interval", "100ms"}
                                          << "选项 --interval 的取值“100ms”无效：应为 0 到 3600000 "
                                             "的整数（an integer from 0 to 3600000）";
    QTest::newRow("value missing at the end")
        << QStringList{"--port"} << "命令行有误（bad command line）：Missing value after '--port'.";
    QTest::newRow("unknown command") << QStringList{"sweep"}
                                     << "未知命令 sweep（unknown command）；命令有（the commands "
                                        "are）scan、listen、backup、compare、"
                                        "restore、plan";
    QTest::newRow("scan range backwards")
        << QStringList{"scan", "--from", "20", "--to", "10"}
        << "--from 大于 --to，扫描范围为空（the scan range is empty）";
    QTest::newRow("scan from 0")
        << QStringList{"scan", "--from", "0"}
        << "选项 --from 的取值“0”无效：应为 1 到 255 的整数（an integer from 1 to 255）";
}

void tst_PollOptions::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QCOMPARE(parsePollOptions(arguments).error, error);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_PollOptions)
#include "tst_PollOptions.moc"
