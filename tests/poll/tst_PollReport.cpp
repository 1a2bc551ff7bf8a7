// The CSV fields and lines, the summary table and the text histogram, byte
// for byte.

#include "SummaryReport.h"
#include "TestMain.h"
#include "WireText.h"
#include "diagnosis/ExchangeCsv.h"

#include <QTest>

using namespace poll;
using namespace diagnosis;

class tst_PollReport : public QObject
{
    Q_OBJECT

private slots:
    void csvQuoting_data();
    void csvQuoting();
    void exchangeLine_data();
    void exchangeLine();
    void summary();
    void histogram();
};

void tst_PollReport::csvQuoting_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");

    QTest::newRow("plain") << QStringList{"a", "", "12.5"} << "a,,12.5\r\n";
    QTest::newRow("comma") << QStringList{"x,y", "z"} << "\"x,y\",z\r\n";
    QTest::newRow("quote doubled") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"\r\n";
    QTest::newRow("line ends inside") << QStringList{"a\r\nb", "c\nd"} << "\"a\r\nb\",\"c\nd\"\r\n";
    QTest::newRow("Chinese as it is") << QStringList{"通讯", "<STX>"} << "通讯,<STX>\r\n";
}

void tst_PollReport::csvQuoting()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    QCOMPARE(csvLine(fields), line);
}

void tst_PollReport::exchangeLine_data()
{
    QTest::addColumn<ExchangeRecord>("record");
    QTest::addColumn<QString>("line");

    const QDateTime at(QDate(2026, 12, 7), QTime(14, 23, 30, 120));
    ExchangeRecord read;
    read.sentAt = at;
    read.frame = onWire("<DC1>00101<ETX>");
    read.reply = onWire("a\",<STX>00101+0011.000575<ETB>");
    read.outcome = Outcome::Ok;
    read.responseUs = 31'007;
    read.value = 11.0;
    QTest::newRow("read with stray quote and comma")
        << read
        << "2026-12-07 14:23:30.120,001,01,dc1,,<DC1>00101<ETX>,"
           "\"a\"\",<STX>00101+0011.000575<ETB>\",ok,31.007,11\r\n";

    ExchangeRecord hbx;
    hbx.sentAt = at;
    hbx.target = Target{Function::Dc4, 5, "01", "70", "0"};
    hbx.frame = onWire("<DC4>05<DC2>00101<US>70<ETX>");
    hbx.outcome = Outcome::Timeout;
    QTest::newRow("HBX time-out") << hbx
                                  << "2026-12-07 14:23:30.120,05,,dc4,70,"
                                     "<DC4>05<DC2>00101<US>70<ETX>,,timeout,,\r\n";

    ExchangeRecord write;
    write.sentAt = at;
    write.target = Target{Function::Dc3, 12, "90", "12", "-7.5"};
    write.frame = onWire("<DC3>01290<US>12<US>-0007.5<US>00806<ETX>");
    write.reply = onWire("<NAK>");
    write.outcome = Outcome::Nak;
    write.responseUs = 1'234'567;
    QTest::newRow("refused write")
        << write
        << "2026-12-07 14:23:30.120,012,90,dc3,12,"
           "<DC3>01290<US>12<US>-0007.5<US>00806<ETX>,<NAK>,nak,1234.567,\r\n";
}

void tst_PollReport::exchangeLine()
{
    QFETCH(ExchangeRecord, record);
    QFETCH(QString, line);
    QCOMPARE(csvLine(exchangeCsvFields(record)), line);
}

void tst_PollReport::summary()
{
    RunStatistics stats;
    stats.perTarget.resize(2);
    const auto add = [&](int target, Outcome outcome, qint64 us) {
        stats.perTarget[std::size_t(target)].add(outcome, us, 0);
        stats.overall.add(outcome, us, 0);
    };
    add(0, Outcome::Ok, 30'000);
    add(0, Outcome::Ok, 32'000);
    add(0, Outcome::Check, 31'000);
    add(1, Outcome::Timeout, -1);
    stats.perTarget[1].addLate(19, true);
    stats.overall.addLate(19, true);

    QCOMPARE(
        summaryTable({"DC1 001/01", "HBX 05 P73"}, stats),
        QStringLiteral(
            "target      sent  ok  timeout  nak  check  malformed  late  success%    min  "
            "median    p95    p99  max(ms)\n"
            "DC1 001/01     3   2        0    0      1          0     0      66.7  30.00   "
            "30.87  32.00  32.00    32.00\n"
            "HBX 05 P73     1   0        1    0      0          0     1       0.0      -       "
            "-      -      -        -\n"
            "overall        4   2        1    0      1          0     1      50.0  30.00   "
            "30.87  32.00  32.00    32.00\n"));
}

void tst_PollReport::histogram()
{
    ResponseStatistics stats;
    for (const qint64 us : {1'200, 1'300, 1'700, 30'000})
        stats.add(Outcome::Ok, us, 0);
    QCOMPARE(histogramText(stats, 3000.0, 10),
             QStringLiteral("   1.00 -    1.58 ms | ########## 2\n"
                            "   1.58 -    2.51 ms | #####      1\n"
                            "   2.51 -    3.98 ms |            0\n"
                            "   3.98 -    6.31 ms |            0\n"
                            "   6.31 -    10.0 ms |            0\n"
                            "   10.0 -    15.8 ms |            0\n"
                            "   15.8 -    25.1 ms |            0\n"
                            "   25.1 -    39.8 ms | #####      1\n"));
    QCOMPARE(histogramText(ResponseStatistics(), 3000.0),
             QStringLiteral("（无应答 no replies）\n"));
}

LINKBENCH_TEST_APPLESS_MAIN(tst_PollReport)
#include "tst_PollReport.moc"
