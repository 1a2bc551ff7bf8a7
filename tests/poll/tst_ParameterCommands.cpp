// backup, compare and restore as programs against the real simulator, with
// line faults on; what was written is taken from the simulator's log.

#include "PtyPair.h"
#include "RunningSim.h"
#include "TestMain.h"
#include "diagnosis/ParameterSetFile.h"

#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run finish(QProcess& poll)
{
    QDeadlineTimer deadline(60000);
    while (poll.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(20);
    Run run;
    run.exitCode = poll.state() == QProcess::NotRunning ? poll.exitCode() : -1;
    run.out = QString::fromUtf8(poll.readAllStandardOutput());
    run.err = QString::fromUtf8(poll.readAllStandardError());
    return run;
}

Run poll(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(LINKBENCH_POLL_PATH), arguments);
    process.waitForStarted(5000);
    return finish(process);
}

const QStringList kFaults = {"--seed",  "18", "--drop",      "5",   "--bad-check",   "5",
                             "--noise", "1",  "--wire-time", "off", "--reply-delay", "1"};
const QStringList kQuick = {"--timeout", "150", "--retries", "6"};

// Instrument 001 with a range, an alarm, a PID value, an output and the set
// value over the link that differ from the simulator's defaults.
QString writePreset(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("preset.toml"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("[header]\naddress = 1\nchannel = \"01\"\n"
               "[[parameter]]\ncode = \"13\"\nvalue = \"0600.0\"\n"
               "[[parameter]]\ncode = \"18\"\nvalue = \"-012.50\"\n"
               "[[parameter]]\ncode = \"31\"\nvalue = \"0002.5\"\n"
               "[[parameter]]\ncode = \"15\"\nvalue = \"00002\"\n"
               "[[parameter]]\ncode = \"30\"\nvalue = \"0042.0\"\n");
    return path;
}

// The simulator's log lines of commands to `place` ("<DC3>00201"), once it
// has logged the last exchange of the program that just ended.
QStringList commandsTo(RunningSim& sim, const QString& place)
{
    while (sim.process().waitForReadyRead(100)) {
    }
    QStringList lines;
    for (const QString& line : sim.exchanges()) {
        if (line.startsWith(QStringLiteral("收 ") + place))
            lines << line;
    }
    return lines;
}

// The codes of the writes the simulator acknowledged to `address` ("002").
QStringList acknowledgedWrites(RunningSim& sim, const QString& address)
{
    QStringList codes;
    for (const QString& line : commandsTo(sim, QStringLiteral("<DC3>") + address))
        if (line.contains(QStringLiteral("<ACK>")))
            codes << line.mid(16, 2);
    return codes;
}

} // namespace

class tst_ParameterCommands : public QObject
{
    Q_OBJECT

private slots:
    void backupThenRestoreWritesNothing();
    void cloneLeavesTheSecondEqual();
    void refusedWriteReported();
    void pulledPortThenRerun();
    void interruptedSaysWhatWasWritten();
    void actingOnlyWhenIncluded();
    void malformedFileSendsNothing();

private:
    QTemporaryDir m_dir;
};

void tst_ParameterCommands::backupThenRestoreWritesNothing()
{
    RunningSim sim;
    QVERIFY(sim.start(kFaults));
    const QString file = m_dir.filePath(QStringLiteral("same.toml"));
    const Run backup =
        poll(QStringList{"backup", "--port", sim.device(), "--address", "3", "-o", file} + kQuick);
    QCOMPARE(backup.exitCode, 0);
    const Run restore =
        poll(QStringList{"restore", file, "--port", sim.device(), "--address", "3"} + kQuick);
    QVERIFY2(restore.exitCode == 0, qPrintable(restore.out + restore.err));
    QVERIFY(commandsTo(sim, QStringLiteral("<DC3>")).isEmpty());
}

void tst_ParameterCommands::cloneLeavesTheSecondEqual()
{
    RunningSim sim;
    QVERIFY(sim.start(kFaults + QStringList{"--params", writePreset(m_dir)}));
    const QString file = m_dir.filePath(QStringLiteral("clone.toml"));
    const QString csv = m_dir.filePath(QStringLiteral("clone.csv"));
    QCOMPARE(
        poll(QStringList{"backup", "--port", sim.device(), "--address", "1", "--all", "-o", file} +
             kQuick)
            .exitCode,
        0);
    const Run restore = poll(QStringList{"restore", file, "--port", sim.device(), "--address", "2",
                                         "--include", "30", "--csv", csv} +
                             kQuick);
    QVERIFY2(restore.exitCode == 0, qPrintable(restore.out + restore.err));

    // The written ones are those of the preset; the address stays 002's own.
    QStringList written = acknowledgedWrites(sim, QStringLiteral("002"));
    written.removeDuplicates();
    QCOMPARE(written, QStringList({"13", "15", "18", "30", "31"}));
    // Every write the simulator saw is a line of the CSV.
    QFile log(csv);
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll().count(",dc3,"), commandsTo(sim, QStringLiteral("<DC3>00201")).size());
    // 002 now reads as the file: a compare finds nothing, and the simulator's
    // own replies to it carry the file's values.
    QCOMPARE(poll(QStringList{"compare", file, "--port", sim.device(), "--address", "2"} + kQuick)
                 .exitCode,
             0);
    const std::optional<diagnosis::ParameterSet> set = diagnosis::loadParameterSet(file, nullptr);
    QVERIFY(set);
    const QStringList reads = commandsTo(sim, QStringLiteral("<DC2>00201"));
    for (const diagnosis::ParameterEntry& entry : set->entries) {
        if (entry.code == u"28")
            continue;
        QString last;
        for (const QString& line : reads)
            if (line.startsWith(QStringLiteral("收 <DC2>00201<US>%1<ETX>  答 ").arg(entry.code)))
                last = line;
        QVERIFY2(last.contains(QStringLiteral("<US>%1<US>%2").arg(entry.code, entry.value)),
                 qPrintable(entry.code + u' ' + last));
    }
}

void tst_ParameterCommands::refusedWriteReported()
{
    RunningSim sim;
    QVERIFY(
        sim.start(kFaults + QStringList{"--params", writePreset(m_dir), "--refuse-writes", "18"}));
    const QString preset = m_dir.filePath(QStringLiteral("preset.toml"));
    const Run restore =
        poll(QStringList{"restore", preset, "--port", sim.device(), "--address", "2"} + kQuick);
    QCOMPARE(restore.exitCode, 1);
    QVERIFY2(restore.out.contains(QStringLiteral("18  报警一值  0080.0 → -012.50  拒绝（NAK）")),
             qPrintable(restore.out));
    QVERIFY(restore.out.contains(QStringLiteral("写入 3，未变 0，拒绝 1，失败 0，不写 1")));
    QVERIFY(!acknowledgedWrites(sim, QStringLiteral("002")).contains(QStringLiteral("18")));
}

void tst_ParameterCommands::pulledPortThenRerun()
{
    RunningSim sim;
    QVERIFY(
        sim.start({"--params", writePreset(m_dir), "--wire-time", "off", "--reply-delay", "1"}));
    const QString preset = m_dir.filePath(QStringLiteral("preset.toml"));
    QSerialPort line(sim.device());
    QVERIFY(line.open(QIODevice::ReadWrite));
    PtyPair adapter;
    QVERIFY(adapter.isValid());

    // Carries the bytes through a stand-in adapter, and pulls it when the
    // read-back of the second write is sent: that write got its ACK.
    QProcess restore;
    restore.start(QStringLiteral(LINKBENCH_POLL_PATH),
                  QStringList{"restore", preset, "--port", adapter.slaveName(), "--address", "2",
                              "--include", "30"} +
                      kQuick);
    QVERIFY(restore.waitForStarted(5000));
    connect(&line, &QSerialPort::readyRead, this, [&] { adapter.writeToPeer(line.readAll()); });
    int writes = 0;
    while (restore.state() != QProcess::NotRunning && adapter.isValid()) {
        const QByteArray bytes = adapter.readFromPeer(20);
        writes += int(bytes.count('\x13'));
        if (writes >= 2 && bytes.startsWith('\x12') && bytes.count('\x13') == 0) {
            adapter.closeMaster();
            break;
        }
        line.write(bytes);
    }
    const Run cut = finish(restore);
    QCOMPARE(cut.exitCode, 1);
    const QStringList acknowledged = acknowledgedWrites(sim, QStringLiteral("002"));
    QCOMPARE(acknowledged.size(), 2);
    QVERIFY2(cut.err.contains(QStringLiteral("已写入 written：%1；").arg(acknowledged.join(", "))),
             qPrintable(cut.err));

    // The re-run reads first and writes only the rest.
    line.close();
    const Run rerun = poll(QStringList{"restore", preset, "--port", sim.device(), "--address", "2",
                                       "--include", "30"} +
                           kQuick);
    QCOMPARE(rerun.exitCode, 0);
    const QStringList all = acknowledgedWrites(sim, QStringLiteral("002"));
    QCOMPARE(all.size(), 5);
    QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), 5);
}

void tst_ParameterCommands::interruptedSaysWhatWasWritten()
{
    RunningSim sim;
    QVERIFY(sim.start({"--params", writePreset(m_dir), "--reply-delay", "100"}));
    const QString preset = m_dir.filePath(QStringLiteral("preset.toml"));
    QProcess restore;
    restore.start(QStringLiteral(LINKBENCH_POLL_PATH),
                  {"restore", preset, "--port", sim.device(), "--address", "5"});
    QVERIFY(restore.waitForStarted(5000));
    // Ctrl+C once the first write has gone out: the exchange in progress ends.
    QTRY_VERIFY_WITH_TIMEOUT(!acknowledgedWrites(sim, QStringLiteral("005")).isEmpty(), 10000);
    ::kill(pid_t(restore.processId()), SIGINT);
    const Run cut = finish(restore);
    QCOMPARE(cut.exitCode, 1);
    const QStringList written = acknowledgedWrites(sim, QStringLiteral("005"));
    QVERIFY(written.size() < 4);
    QVERIFY2(cut.err.contains(QStringLiteral("写入中断（interrupted）：已写入 written：%1；")
                                  .arg(written.join(QStringLiteral(", ")))),
             qPrintable(cut.err));
}

void tst_ParameterCommands::actingOnlyWhenIncluded()
{
    RunningSim sim;
    QVERIFY(sim.start(kFaults + QStringList{"--params", writePreset(m_dir)}));
    const QString preset = m_dir.filePath(QStringLiteral("preset.toml"));
    const Run plain =
        poll(QStringList{"restore", preset, "--port", sim.device(), "--address", "4"} + kQuick);
    QCOMPARE(plain.exitCode, 1);
    QVERIFY(!acknowledgedWrites(sim, QStringLiteral("004")).contains(QStringLiteral("30")));
    QVERIFY(plain.out.contains(QStringLiteral("30  通讯给定值  0000.0 → 0042.0  不写")));
    const Run included = poll(QStringList{"restore", preset, "--port", sim.device(), "--address",
                                          "4", "--include", "30"} +
                              kQuick);
    QCOMPARE(included.exitCode, 0);
    QVERIFY(acknowledgedWrites(sim, QStringLiteral("004")).contains(QStringLiteral("30")));
}

void tst_ParameterCommands::malformedFileSendsNothing()
{
    RunningSim sim;
    QVERIFY(sim.start({}));
    const QString path = m_dir.filePath(QStringLiteral("bad.toml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[header]\naddress = 1\nchannel = \"01\"\n[[parameter]]\ncode = \"12\"\n"
               "value = \"12,5\"\n");
    file.close();
    for (const char* command : {"compare", "restore"}) {
        const Run run = poll({command, path, "--port", sim.device(), "--address", "1"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("第 6 行：参数 12 的值“12,5”不是数值")),
                 qPrintable(run.err));
    }
    QTest::qWait(100);
    QVERIFY(commandsTo(sim, QString()).isEmpty());
}

LINKBENCH_TEST_GUILESS_MAIN(tst_ParameterCommands)
#include "tst_ParameterCommands.moc"
