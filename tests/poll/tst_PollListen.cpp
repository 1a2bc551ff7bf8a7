// linkbench-poll listen as a program: against the simulator playing the master
// with its faults on, each command's outcome is the one the simulator's log
// gives it and nothing reaches the line from the listener; over two ports it
// merges the directions and writes not a byte to either.

#include "PtyPair.h"
#include "RunningSim.h"
#include "TestMain.h"
#include "WireText.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>

namespace {

// The CSV's rows after the header. A row's reply may hold commas, but the
// fields before it and the three after it hold none.
QStringList csvRows(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll().mid(3)).split(QStringLiteral("\r\n"));
    lines.removeFirst();
    lines.removeAll(QString());
    return lines;
}

QString frameOf(const QString& row)
{
    return row.section(u',', 5, 5);
}

QString outcomeOf(const QString& row)
{
    return row.section(u',', -3, -3);
}

QTime timeOf(const QString& row)
{
    return QTime::fromString(row.section(u',', 0, 0).section(u' ', 1),
                             QStringLiteral("hh:mm:ss.zzz"));
}

// The outcome a listener must find for a command the simulator logged.
QString loggedOutcome(const QString& line)
{
    const QString answer = line.section(QStringLiteral("  "), 1);
    if (answer.startsWith(u"答 "))
        return answer.contains(QStringLiteral("<NAK>")) ? QStringLiteral("nak")
                                                        : QStringLiteral("ok");
    if (answer.startsWith(u"错校验答"))
        return QStringLiteral("check");
    return QStringLiteral("timeout"); // dropped, late, or a silent instrument
}

int waitForEnd(QProcess& process, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(20);
    return process.state() == QProcess::NotRunning ? process.exitCode() : -1;
}

} // namespace

class tst_PollListen : public QObject
{
    Q_OBJECT

private slots:
    void outcomesFollowTheSimulatorsLog();
    void twoPortsMergedNothingWritten();
    void refused_data();
    void refused();
};

void tst_PollListen::outcomesFollowTheSimulatorsLog()
{
    RunningSim sim;
    QVERIFY(sim.start({"--master", "dc1+dc2@1-4/120", "--tap", "--seed",        "5", "--drop",
                       "10",       "--bad-check",     "10",    "--noise",       "2", "--chunks",
                       "3",        "--chunk-gap",     "3",     "--faulty",      "4", "--late",
                       "8",        "--late-by",       "300",   "--reply-delay", "10"}));
    QVERIFY(sim.process().canReadLine() || sim.process().waitForReadyRead(5000));
    const QString tap = QString::fromLocal8Bit(sim.process().readLine()).trimmed();
    QVERIFY(tap.startsWith(u"/dev/"));

    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("listen.csv"));
    QProcess listen;
    listen.start(QStringLiteral(LINKBENCH_POLL_PATH),
                 {"listen", "--port", tap, "--duration", "6", "--timeout", "100", "--csv", csv,
                  "--quiet", "--alarm-window", "4"});
    QCOMPARE(waitForEnd(listen, 20000), 1);
    const QString summary = QString::fromUtf8(listen.readAllStandardOutput());
    QVERIFY2(summary.contains(QStringLiteral("主站周期")), qPrintable(summary));
    // The faulty instrument raises its alarm, once, in the CSV's companion log.
    QFile alarms(dir.filePath(QStringLiteral("listen.alarms.log")));
    QVERIFY(alarms.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(alarms.readAll()).count(QStringLiteral("报警（alarm）：DC1 004/01")),
             1);

    // Ended first, so that its log is read to the last line.
    sim.process().terminate();
    QVERIFY(sim.process().waitForFinished(5000));
    const QString simLog = QString::fromLocal8Bit(sim.process().readAllStandardError());
    QVERIFY2(!simLog.contains(QStringLiteral("监听端写入了")), qPrintable(simLog));
    QStringList logged; // "hh:mm:ss.zzz 收 ..." of every command
    for (const QString& line : simLog.split(u'\n')) {
        if (line.section(u' ', 1, 1) == u"收")
            logged << line;
    }
    const QStringList rows = csvRows(csv);
    QStringList commands;
    for (const QString& row : rows) {
        if (outcomeOf(row) != u"unpaired")
            commands << row;
    }
    QVERIFY2(commands.size() >= 40, qPrintable(rows.join(u'\n')));

    // Each command row is the logged command of the same frame nearest in time
    // (logged when queued: behind a late reply it goes out up to ~300 ms later).
    qsizetype first = -1;
    qsizetype last = -1;
    QStringList outcomes;
    for (const QString& row : commands) {
        qsizetype match = -1;
        for (qsizetype i = 0; i < logged.size(); ++i) {
            const QTime at = QTime::fromString(logged[i].left(12), QStringLiteral("hh:mm:ss.zzz"));
            if (logged[i].section(u' ', 2, 2) == frameOf(row) &&
                qAbs(at.msecsTo(timeOf(row))) < 400)
                match = i;
        }
        QVERIFY2(match >= 0, qPrintable(row));
        QVERIFY2(match > last, qPrintable(row));
        first = first < 0 ? match : first;
        last = match;
        QVERIFY2(outcomeOf(row) == loggedOutcome(logged[match]),
                 qPrintable(row + QStringLiteral("  vs  ") + logged[match]));
        outcomes << outcomeOf(row);
    }
    // No command between the first and the last was missed, and the faults all showed.
    QCOMPARE(last - first + 1, commands.size());
    for (const char* outcome : {"ok", "timeout", "check"})
        QVERIFY2(outcomes.contains(QString::fromLatin1(outcome)), outcome);
    // Every late reply the listen heard in full is an unpaired row.
    for (qsizetype i = first; i + 3 < last; ++i) {
        if (!logged[i].contains(QStringLiteral("迟答")))
            continue;
        // Stray characters ahead of it are noise, not part of the row's reply.
        QString reply = logged[i].section(u'：', 1).section(QStringLiteral("  "), 0, 0);
        reply = reply.mid(reply.indexOf(QStringLiteral("<STX>")));
        QVERIFY2(rows.filter(QStringLiteral("unpaired")).filter(reply).size() >= 1,
                 qPrintable(logged[i]));
    }
}

void tst_PollListen::twoPortsMergedNothingWritten()
{
    PtyPair commands;
    PtyPair replies;
    QVERIFY(commands.isValid() && replies.isValid());
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("two.csv"));
    QProcess listen;
    listen.start(QStringLiteral(LINKBENCH_POLL_PATH),
                 {"listen", "--port", commands.slaveName(), "--port2", replies.slaveName(),
                  "--duration", "2", "--timeout", "200", "--csv", csv});
    listen.setReadChannel(QProcess::StandardError);
    QVERIFY(listen.waitForReadyRead(5000)); // the note that it listens

    // Each direction change waits a moment, as a bus turns round, so that the
    // two ports' reads come in the line's order.
    const auto turn = [] { QTest::qWait(50); };
    QVERIFY(commands.writeToPeer(onWire("<DC1>00101<ETX>")));
    turn();
    QVERIFY(replies.writeToPeer(onWire("<STX>00101+00")));
    QVERIFY(commands.writeToPeer(onWire("!")));
    QVERIFY(replies.writeToPeer(onWire("11.000575<ETB>")));
    turn();
    QVERIFY(commands.writeToPeer(onWire("<DC1>00201<ETX>")));
    QVERIFY(commands.writeToPeer(onWire("<DC3>00101<US>12<US>0100.0<US>00740<ETX>")));
    turn();
    QVERIFY(replies.writeToPeer(onWire("<ACK>")));
    QCOMPARE(waitForEnd(listen, 10000), 1);

    QStringList seen;
    for (const QString& row : csvRows(csv))
        seen << frameOf(row) + u' ' + outcomeOf(row);
    QCOMPARE(seen, QStringList({"<DC1>00101<ETX> ok", "<DC1>00201<ETX> timeout",
                                "<DC3>00101<US>12<US>0100.0<US>00740<ETX> ok"}));
    QCOMPARE(commands.readFromPeer(0), QByteArray());
    QCOMPARE(replies.readFromPeer(0), QByteArray());
}

void tst_PollListen::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("named"); // a part of the message

    QTest::newRow("missing device")
        << QStringList{"--port", "/dev/linkbench-none"} << 3 << "无法打开串口/dev/linkbench-none";
    QTest::newRow("the same port twice")
        << QStringList{"--port", "/dev/null", "--port2", "/dev/null"} << 2 << "同一个串口";
    QTest::newRow("an option of polling only")
        << QStringList{"--port", "/dev/null", "--address", "1"} << 2 << "--address";
    QTest::newRow("alarm threshold 0") << QStringList{"--alarm-below", "0"} << 2 << "--alarm-below";
}

void tst_PollListen::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, named);

    QProcess listen;
    listen.start(QStringLiteral(LINKBENCH_POLL_PATH), QStringList{"listen"} + arguments);
    QCOMPARE(waitForEnd(listen, 10000), exitCode);
    const QString err = QString::fromUtf8(listen.readAllStandardError());
    QVERIFY2(err.contains(named), qPrintable(err));
}

LINKBENCH_TEST_GUILESS_MAIN(tst_PollListen)
#include "tst_PollListen.moc"
