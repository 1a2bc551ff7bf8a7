// The engine on the kernel's pseudo-terminals: against the real simulator,
// every exchange's outcome, frame, reply and stray bytes equal what the
// simulator's log says it did with that command, exchange for exchange; a
// scan; a device that goes away and comes back; a device that is not there.

#include "PtyPair.h"
#include "RunningSim.h"
#include "TestMain.h"
#include "WireText.h"
#include "diagnosis/BusScan.h"
#include "diagnosis/DiagnosisEngine.h"
#include "platform/OpenRefusal.h"
#include "platform/PortFinder.h"
#include "platform/QtSerialLine.h"
#include "wire/WireText.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace diagnosis;

namespace {

const QByteArray kReadCommand = onWire("<DC1>00101<ETX>");
const QByteArray kReadReply = onWire("<STX>00101+0011.000575<ETB>");

// One exchange as the simulator's log tells it.
struct LoggedExchange
{
    QString frame;
    QString sent;    // the bytes it put on the line, readable; empty when silent
    QString outcome; // what the tool must make of it
    bool late = false;
};

LoggedExchange fromLog(const QString& line)
{
    static const QRegularExpression layout(QStringLiteral(
        "^收 (\\S+)  (答 "
        "|不答：|应答丢弃（--drop）：|迟答（--late）：|错校验答（--bad-check）：)(\\S*)"));
    const QRegularExpressionMatch m = layout.match(line);
    if (!m.hasMatch())
        return {line, {}, QStringLiteral("unreadable log line"), false};
    const QString label = m.captured(2);
    const QString bytes = m.captured(3);
    LoggedExchange e{m.captured(1), {}, QStringLiteral("timeout"), false};
    if (label == u"答 " || label.startsWith(u"错校验")) {
        e.sent = bytes;
        e.outcome = label.startsWith(u"错校验") ? QStringLiteral("check")
                    : bytes.endsWith(u"<NAK>")  ? QStringLiteral("nak")
                                                : QStringLiteral("ok");
    } else if (label.startsWith(u"迟答")) {
        e.late = true;
    }
    return e;
}

// Stray characters ahead of the reply's STX, ACK or NAK (stray ones may be '<').
int leadingNoise(const QString& sent)
{
    qsizetype start = -1;
    for (const QString& name :
         {QStringLiteral("<STX>"), QStringLiteral("<ACK>"), QStringLiteral("<NAK>")})
        start = std::max(start, sent.lastIndexOf(name));
    return int(start);
}

} // namespace

class tst_DiagnosisEngineOverPty : public QObject
{
    Q_OBJECT

private slots:
    void outcomesFollowTheSimulatorsLog_data();
    void outcomesFollowTheSimulatorsLog();
    void scanFindsWhoAnswers_data();
    void scanFindsWhoAnswers();
    void portLostPausesUntilItIsBack();
    void refusedPort();
};

void tst_DiagnosisEngineOverPty::outcomesFollowTheSimulatorsLog_data()
{
    QTest::addColumn<QString>("simArguments");
    QTest::addColumn<QList<Target>>("targets");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<int>("intervalMs");
    // What the seeded faults must have made happen at least once ("late" for a late reply).
    QTest::addColumn<QStringList>("mustHappen");
    using F = Function;

    QTest::newRow("clean reads of the process value")
        << "--reply-delay 0" << QList{Target{}} << 12 << 300 << 0 << QStringList{"ok"};
    // Each fault alone is the fake line's (tst_DiagnosisEngine); here they come mixed,
    // from every function, and on addresses silent or missing.
    QTest::newRow("every fault at random, from every function")
        << "--drop 15 --nak 40 --bad-check 25 --noise 4 --chunks 3 --chunk-gap 3 --jitter 30 "
           "--bus 001-003 --faulty 002 --seed 3"
        << QList{Target{},
                 Target{F::Dc2, 3, "03", "11"},
                 Target{F::Dc3, 1, "01", "12", "100.0"},
                 Target{F::Dc3, 1, "01", "58", "1"},
                 Target{F::Dc4, 5, "01", "73"},
                 Target{F::Dc1, 2},
                 Target{F::Dc1, 12}}
        << 14 << 200 << 0 << QStringList{"ok", "timeout", "nak", "check"};
    QTest::newRow("late replies come before the next send")
        << "--late 30 --late-by 250 --reply-delay 5 --seed 9" << QList{Target{}, Target{F::Dc1, 2}}
        << 8 << 150 << 450 << QStringList{"ok", "late"};
    QTest::newRow("late replies that come during the next exchange")
        << "--late 30 --late-by 260 --reply-delay 5 --seed 9"
        << QList{Target{}, Target{F::Dc2, 1, "01", "11"}} << 14 << 200 << 0
        << QStringList{"ok", "late"};
}

void tst_DiagnosisEngineOverPty::outcomesFollowTheSimulatorsLog()
{
    QFETCH(QString, simArguments);
    QFETCH(QList<Target>, targets);
    QFETCH(int, count);
    QFETCH(int, timeoutMs);
    QFETCH(int, intervalMs);
    QFETCH(QStringList, mustHappen);

    RunningSim sim;
    QVERIFY(sim.start(simArguments.split(u' ', Qt::SkipEmptyParts)));
    RunPlan plan;
    plan.port = sim.device();
    plan.targets = targets;
    plan.count = count;
    plan.timeoutMs = timeoutMs;
    plan.intervalMs = intervalMs;

    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QList<ExchangeRecord> records;
    QHash<qint64, QByteArray> late;
    connect(&engine, &DiagnosisEngine::exchangeFinished, this,
            [&](const ExchangeRecord& r) { records << r; });
    connect(&engine, &DiagnosisEngine::lateBytes, this,
            [&](qint64 sequence, int, const QByteArray& bytes) { late[sequence] += bytes; });
    QSignalSpy finished(&engine, &DiagnosisEngine::finished);
    QString refusal;
    QVERIFY2(engine.start(plan, &refusal), qPrintable(refusal));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 60000);
    QCOMPARE(finished[0][0].value<RunEnd>(), RunEnd::Completed);
    QTRY_COMPARE_WITH_TIMEOUT(sim.exchanges().size(), count, 5000);

    const QStringList log = sim.exchanges();
    QCOMPARE(records.size(), count);
    QSet<QString> happened;
    for (int i = 0; i < count; ++i) {
        const LoggedExchange expected = fromLog(log[i]);
        const ExchangeRecord& r = records[i];
        happened << expected.outcome;
        if (expected.late)
            happened << QStringLiteral("late");
        const QString where =
            QStringLiteral("exchange %1: %2 / got %3 late %4")
                .arg(i + 1)
                .arg(log[i], wire::namedBytes(r.reply), wire::namedBytes(late.value(i + 1)));
        QVERIFY2(r.sequence == i + 1, qPrintable(where));
        QVERIFY2(wire::namedBytes(r.frame) == expected.frame, qPrintable(where));
        QVERIFY2(outcomeName(r.outcome) == expected.outcome,
                 qPrintable(where + QStringLiteral(" -> ") + outcomeName(r.outcome)));
        if (!expected.sent.isEmpty()) {
            QVERIFY2(wire::namedBytes(r.reply) == expected.sent, qPrintable(where));
            QVERIFY2(r.noiseBytes == leadingNoise(expected.sent), qPrintable(where));
            QVERIFY2(r.responseUs > 0 && r.responseUs < timeoutMs * 1000, qPrintable(where));
        } else {
            QVERIFY2(r.responseUs == -1, qPrintable(where));
        }
        // Late bytes are the late reply itself, never taken for the next command's.
        if (i + 1 < count)
            QVERIFY2(late.contains(i + 1) == expected.late, qPrintable(where));
    }

    for (const QString& kind : mustHappen)
        QVERIFY2(happened.contains(kind), qPrintable(kind));

    QCOMPARE(engine.statistics().overall.sent(), quint64(count));
}

void tst_DiagnosisEngineOverPty::scanFindsWhoAnswers_data()
{
    QTest::addColumn<QString>("simArguments");
    QTest::addColumn<bool>("hbx");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("instruments, one faulty, one answer spoiled")
        << "--bus 001-003,007 --faulty 002 --bad-check 100" << false << 1 << 9;
    QTest::newRow("concentrators") << "--hbx 12" << true << 9 << 14;
}

void tst_DiagnosisEngineOverPty::scanFindsWhoAnswers()
{
    QFETCH(QString, simArguments);
    QFETCH(bool, hbx);
    QFETCH(int, from);
    QFETCH(int, to);

    RunningSim sim;
    QVERIFY(sim.start(simArguments.split(u' ')));
    ScanPlan plan;
    plan.port = sim.device();
    plan.from = from;
    plan.to = to;
    plan.timeoutMs = 100;
    plan.hbx = hbx;
    BusScan scan(std::make_unique<QtSerialLine>());
    QList<int> progress;
    connect(&scan, &BusScan::progress, this, [&](int done, int total) {
        QCOMPARE(total, to - from + 1);
        progress << done;
    });
    QSignalSpy finished(&scan, &BusScan::finished);
    QVERIFY(scan.start(plan));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    QTRY_COMPARE(sim.exchanges().size(), to - from + 1);

    QList<int> expected;
    QList<int> counted;
    const QStringList log = sim.exchanges();
    for (int i = 0; i < log.size(); ++i) {
        counted << i + 1;
        if (!log[i].contains(QStringLiteral("不答")))
            expected << from + i;
    }
    QList<int> found;
    for (const ScanHit& hit : scan.hits()) {
        found << hit.address;
        QVERIFY(hit.responseUs > 0);
        const QString line = log[hit.address - from];
        QVERIFY(line.endsWith(wire::namedBytes(hit.reply)));
        QCOMPARE(outcomeName(hit.outcome), line.contains(QStringLiteral("错校验"))
                                               ? QStringLiteral("check")
                                               : QStringLiteral("ok"));
    }
    QVERIFY(!expected.isEmpty());
    QCOMPARE(found, expected);
    QCOMPARE(progress, counted);
}

void tst_DiagnosisEngineOverPty::portLostPausesUntilItIsBack()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("port"));
    auto first = std::make_unique<PtyPair>();
    QVERIFY(first->isValid());
    QVERIFY(QFile::link(first->slaveName(), link));

    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QList<ExchangeRecord> records;
    connect(&engine, &DiagnosisEngine::exchangeFinished, this,
            [&](const ExchangeRecord& r) { records << r; });
    QSignalSpy lost(&engine, &DiagnosisEngine::portLost);
    QSignalSpy back(&engine, &DiagnosisEngine::portBack);
    QVERIFY(engine.start({.port = link, .targets = {Target{}}, .timeoutMs = 3000}));
    QCOMPARE(first->readExactly(int(kReadCommand.size()), 2000), kReadCommand);

    // The instrument side goes away with the first exchange in progress, and
    // its device with it: a pty number set free may be handed to another
    // program's pty at once, which a retry must never open.
    first->closeMaster();
    first->closeSlave();
    QVERIFY(QFile::remove(link));
    QTRY_COMPARE(lost.size(), 1);
    QVERIFY(lost[0][0].toString().startsWith(link + QStringLiteral(": ")));
    QTest::qWait(1500); // reopening fails meanwhile: still reported once, nothing counted
    QCOMPARE(lost.size(), 1);
    QCOMPARE(back.size(), 0);
    QCOMPARE(records.size(), 0);

    PtyPair second;
    QVERIFY(second.isValid());
    QVERIFY(QFile::link(second.slaveName(), link));
    QTRY_COMPARE_WITH_TIMEOUT(back.size(), 1, 3000);
    // The abandoned exchange is sent again, as the first one.
    QCOMPARE(second.readExactly(int(kReadCommand.size()), 2000), kReadCommand);
    QVERIFY(second.writeToPeer(kReadReply));
    QTRY_COMPARE(records.size(), 1);
    QCOMPARE(records[0].sequence, qint64(1));
    QCOMPARE(records[0].outcome, Outcome::Ok);
    QCOMPARE(engine.statistics().overall.sent(), quint64(1));
}

void tst_DiagnosisEngineOverPty::refusedPort()
{
    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QString refusal;
    QVERIFY(
        !engine.start({.port = "/dev/linkbench-no-such-port", .targets = {Target{}}}, &refusal));
    OpenRefusal missing;
    missing.kind = OpenRefusal::Kind::Missing;
    missing.foundNow = findRealPorts();
    QCOMPARE(refusal, QStringLiteral("/dev/linkbench-no-such-port: ") + refusalText(missing));
    QVERIFY(!engine.isRunning());
    QVERIFY(!engine.start(RunPlan{}, &refusal)); // no target: refused before any opening
    QCOMPARE(refusal, QStringLiteral("没有要发送的命令（no target to poll）"));
}

LINKBENCH_TEST_GUILESS_MAIN(tst_DiagnosisEngineOverPty)
#include "tst_DiagnosisEngineOverPty.moc"
