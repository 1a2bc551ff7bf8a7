// linkbench-poll as a program against the real simulator: exit statuses and
// messages for good and bad runs, the CSV file against the simulator's log
// exchange for exchange, Ctrl+C, and the status line on a real terminal only.

#include "PtyPair.h"
#include "RunningSim.h"
#include "TestMain.h"
#include "WireText.h"
#include "platform/OpenRefusal.h"
#include "platform/PortFinder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

struct PollRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs linkbench-poll to its end while the event loop keeps the simulator's log flowing.
PollRun runPoll(const QStringList& arguments, int timeoutMs = 30000)
{
    QProcess poll;
    poll.start(QStringLiteral(LINKBENCH_POLL_PATH), arguments);
    PollRun run;
    if (!poll.waitForStarted(5000))
        return run;
    QDeadlineTimer deadline(timeoutMs);
    while (poll.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(20);
    if (poll.state() != QProcess::NotRunning)
        return run;
    run.exitCode = poll.exitStatus() == QProcess::NormalExit ? poll.exitCode() : -2;
    run.out = QString::fromUtf8(poll.readAllStandardOutput());
    run.err = QString::fromUtf8(poll.readAllStandardError());
    return run;
}

QStringList csvLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read %1").arg(path)};
    QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return {QStringLiteral("no byte-order mark")};
    QStringList lines = QString::fromUtf8(bytes.sliced(3)).split(QStringLiteral("\r\n"));
    if (lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

// "收 <DC1>00101<ETX>  答 <STX>...<ETB>" as the CSV's frame, reply and outcome.
QString loggedAsCsv(const QString& line)
{
    const QStringList parts = line.split(QStringLiteral("  "));
    const QString frame = parts[0].mid(2);
    const QString answer = parts.value(1);
    if (answer.startsWith(u"答 ")) {
        const QString reply = answer.mid(2);
        return frame + u',' + reply + u',' +
               (reply.endsWith(u"<NAK>") ? QStringLiteral("nak") : QStringLiteral("ok"));
    }
    if (answer.startsWith(u"错校验答"))
        return frame + u',' + answer.section(u'：', 1) + QStringLiteral(",check");
    return frame + QStringLiteral(",,timeout");
}

} // namespace

class tst_PollProcess : public QObject
{
    Q_OBJECT

private slots:
    void csvFollowsTheSimulatorsLog_data();
    void csvFollowsTheSimulatorsLog();
    void refusedRunsWriteNothing_data();
    void refusedRunsWriteNothing();
    void busyPortEndsWithThree();
    void fullDiskStopsTheRunWithWholeLines();
    void ctrlCStopsAfterTheExchange();
    void statusLineOnATerminalOnly();
};

void tst_PollProcess::csvFollowsTheSimulatorsLog_data()
{
    QTest::addColumn<QString>("simArguments");
    QTest::addColumn<QStringList>("pollArguments");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("every exchange ok")
        << "--reply-delay 0" << QStringList{"--address", "1-3", "--count", "9"} << 9 << 0;
    QTest::newRow("drops, stray characters with quotes and commas, bad checks")
        << "--drop 20 --noise 6 --bad-check 20 --seed 21"
        << QStringList{"--function", "dc2",     "--address", "2,5",       "--param",
                       "13",         "--count", "20",        "--timeout", "200"}
        << 20 << 1;
    QTest::newRow("refused writes")
        << "--nak 50 --seed 4"
        << QStringList{"--function", "dc3", "--value", "12.5", "--count", "8"} << 8 << 1;
}

void tst_PollProcess::csvFollowsTheSimulatorsLog()
{
    QFETCH(QString, simArguments);
    QFETCH(QStringList, pollArguments);
    QFETCH(int, count);
    QFETCH(int, exitCode);

    RunningSim sim;
    QVERIFY(sim.start(simArguments.split(u' ')));
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("运行.csv"));
    const PollRun run = runPoll(QStringList{"--port", sim.device(), "--csv", csv} + pollArguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.contains(QStringLiteral("汇总（summary）：%1 次通讯").arg(count)),
             qPrintable(run.out));
    QVERIFY(run.out.contains(QStringLiteral("响应时间分布")));
    QTRY_COMPARE(sim.exchanges().size(), count);

    const QStringList lines = csvLines(csv);
    QCOMPARE(lines.size(), count + 1);
    QCOMPARE(lines[0],
             QStringLiteral(
                 "time,address,channel,function,param,frame,reply,outcome,response_ms,value"));
    const QStringList log = sim.exchanges();
    for (int i = 0; i < count; ++i) {
        // Fields 5 to 7 are frame, reply and outcome; a reply with a comma or quote is quoted.
        QString expected = loggedAsCsv(log[i]);
        const QString reply = expected.section(u',', 1, -2);
        if (reply.contains(u',') || reply.contains(u'"')) {
            expected = expected.section(u',', 0, 0) + QStringLiteral(",\"") +
                       QString(reply).replace(u'"', QStringLiteral("\"\"")) +
                       QStringLiteral("\",") + expected.section(u',', -1);
        }
        QVERIFY2(lines[i + 1].contains(u',' + expected + u','),
                 qPrintable(lines[i + 1] + QStringLiteral("  vs log  ") + log[i]));
    }
}

void tst_PollProcess::refusedRunsWriteNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    OpenRefusal missing;
    missing.kind = OpenRefusal::Kind::Missing;
    missing.foundNow = findRealPorts();
    QTest::newRow("missing device")
        << QStringList{"--port", "/dev/linkbench-none"} << 3
        << "无法打开串口/dev/linkbench-none\n/dev/linkbench-none: " + refusalText(missing) + "\n";
    QTest::newRow("unknown option")
        << QStringList{"--loud"} << 2
        << "未知选项 --loud（unknown option）；--help 列出全部选项（lists all options）\n";
    QTest::newRow("address 256") << QStringList{"--address", "256"} << 2
                                 << "--address 的取值“256”无效：地址为 1 到 255，例如 "
                                    "1-11,15（addresses 1 to 255, e.g. 1-11,15）\n";
    QTest::newRow("CSV in a missing folder")
        << QStringList{"--csv", "/tmp/linkbench-no-folder/run.csv"} << 2
        << "无法写入 CSV 文件 /tmp/linkbench-no-folder/run.csv：文件夹不存在（the folder does not "
           "exist）\n";
}

void tst_PollProcess::refusedRunsWriteNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("run.csv"));
    QStringList all = arguments;
    if (!all.contains(QStringLiteral("--csv")))
        all << "--csv" << csv;
    if (!all.contains(QStringLiteral("--port")))
        all << "--port"
            << "/dev/null";
    const PollRun run = runPoll(all);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, message);
    QCOMPARE(run.out, QString());
    QVERIFY(!QFile::exists(csv));
}

void tst_PollProcess::busyPortEndsWithThree()
{
    RunningSim sim;
    QVERIFY(sim.start({}));
    QSerialPort holder(sim.device());
    QVERIFY(holder.open(QIODevice::ReadWrite));
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("run.csv"));
    const PollRun run = runPoll({"--port", sim.device(), "--count", "1", "--csv", csv});
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.startsWith(QStringLiteral("无法打开串口%1\n%1: ").arg(sim.device())),
             qPrintable(run.err));
    QVERIFY(!QFile::exists(csv));
}

void tst_PollProcess::fullDiskStopsTheRunWithWholeLines()
{
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(disk));
    if (QProcess::execute(QStringLiteral("mount"),
                          {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk}) != 0)
        QSKIP("a small tmpfs cannot be mounted here (needs root)");
    const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {disk}); });
    // Leave two pages: room for the header and a few dozen lines.
    QFile filler(disk + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    QCOMPARE(filler.write(QByteArray(56 * 1024, 'x')), qint64(56 * 1024));
    filler.close();

    RunningSim sim;
    QVERIFY(sim.start({"--reply-delay", "0", "--noise", "5", "--seed", "3"}));
    const QString csv = disk + QStringLiteral("/run.csv");
    const PollRun run = runPoll({"--port", sim.device(), "--csv", csv, "--count", "1000"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("写 CSV 文件 %1 失败，运行停止").arg(csv)),
             qPrintable(run.err));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    const QStringList lines = csvLines(csv);
    QVERIFY2(lines.size() > 10 && lines.size() < 1000, qPrintable(QString::number(lines.size())));
    // Every line whole: stamp, place, frame, reply (quoted when its stray bytes ask for it),
    // outcome, response time and value.
    static const QRegularExpression whole(QStringLiteral(
        "^\\d{4}-\\d\\d-\\d\\d [0-9:.]{12},001,01,dc1,,<DC1>00101<ETX>,\"?.*<ETB>\"?,ok,"
        "\\d+\\.\\d{3},\\d+(\\.\\d)?$"));
    for (const QString& line : lines.mid(1))
        QVERIFY2(whole.match(line).hasMatch(), qPrintable(line));
    QVERIFY(run.out.contains(QStringLiteral("汇总（summary）：")));
}

void tst_PollProcess::ctrlCStopsAfterTheExchange()
{
    RunningSim sim;
    QVERIFY(sim.start({"--reply-delay", "100"}));
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("run.csv"));
    QProcess poll;
    poll.start(QStringLiteral(LINKBENCH_POLL_PATH), {"--port", sim.device(), "--csv", csv});
    QVERIFY(poll.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(csvLines(csv).size() >= 4, 10000);
    ::kill(pid_t(poll.processId()), SIGINT);
    QTRY_VERIFY_WITH_TIMEOUT(poll.state() == QProcess::NotRunning, 5000);
    QCOMPARE(poll.exitStatus(), QProcess::NormalExit);
    QCOMPARE(poll.exitCode(), 0);

    // The exchange in progress was finished and written, and nothing after it.
    const QStringList lines = csvLines(csv);
    const QStringList log = sim.exchanges();
    QCOMPARE(lines.size() - 1, log.size());
    for (qsizetype i = 1; i < lines.size(); ++i)
        QVERIFY2(lines[i].contains(QStringLiteral(",ok,")), qPrintable(lines[i]));
    const QString out = QString::fromUtf8(poll.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("汇总（summary）：%1 次通讯").arg(log.size())),
             qPrintable(out));
    QVERIFY(QString::fromUtf8(poll.readAllStandardError())
                .contains(QStringLiteral("收到中断，本次通讯结束后停止")));
}

void tst_PollProcess::statusLineOnATerminalOnly()
{
    RunningSim sim;
    QVERIFY(sim.start({"--reply-delay", "0"}));
    PtyPair terminal;
    QVERIFY2(terminal.isValid(), qPrintable(terminal.errorText()));

    QProcess onTerminal;
    onTerminal.setStandardErrorFile(terminal.slaveName());
    onTerminal.start(QStringLiteral(LINKBENCH_POLL_PATH),
                     {"--port", sim.device(), "--duration", "1"});
    QVERIFY(onTerminal.waitForStarted(5000));
    QByteArray drawn;
    while (onTerminal.state() != QProcess::NotRunning || !drawn.endsWith("\x1b[K")) {
        const QByteArray more = terminal.readFromPeer(200);
        drawn += more;
        if (more.isEmpty() && onTerminal.state() == QProcess::NotRunning)
            break;
    }
    QCOMPARE(onTerminal.exitCode(), 0);
    // Redrawn in place, at most ten times a second, and erased before the summary.
    const qsizetype redraws = drawn.count("\x1b[K") - 1;
    QVERIFY2(redraws >= 5 && redraws <= 12, qPrintable(QString::number(redraws)));
    QVERIFY(drawn.contains("\r"));
    QVERIFY2(QString::fromUtf8(drawn).contains(QStringLiteral(" 次  ")), drawn.constData());
    QVERIFY(drawn.endsWith("\r\x1b[K"));

    const PollRun piped = runPoll({"--port", sim.device(), "--count", "3"});
    QCOMPARE(piped.exitCode, 0);
    QCOMPARE(piped.err, QString());
    QVERIFY(!piped.out.contains(u'\r'));
}

LINKBENCH_TEST_GUILESS_MAIN(tst_PollProcess)
#include "tst_PollProcess.moc"
