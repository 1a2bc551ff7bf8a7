// The engine on a pseudo-terminal where the test plays the instrument: what
// goes on the wire, stopping, late bytes and the quiet gap, a port that goes
// away and comes back.

#include "PtyPair.h"
#include "WireText.h"
#include "diagnosis/DiagnosisEngine.h"
#include "platform/OpenRefusal.h"
#include "platform/PortFinder.h"
#include "platform/QtSerialLine.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace diagnosis;

namespace {

const QByteArray kReadCommand = onWire("<DC1>00101<ETX>");
const QByteArray kReadReply = onWire("<STX>00101+0011.000575<ETB>");

RunPlan planOn(const QString& device, int timeoutMs)
{
    RunPlan plan;
    plan.port = device;
    plan.targets = {Target{}};
    plan.timeoutMs = timeoutMs;
    return plan;
}

} // namespace

class tst_DiagnosisEngineOverPty : public QObject
{
    Q_OBJECT

private slots:
    void roundRobinBytesOnTheWire();
    void stopLeavesNoExchangePending();
    void stopAfterExchangeWaitsForIt();
    void lateBytesDelayTheNextSendByTheGap();
    void restOfALateReplyAfterTheNextSend();
    void portLostPausesUntilItIsBack();
    void durationEndsWhileThePortIsLost();
    void refusedPort();
};

void tst_DiagnosisEngineOverPty::roundRobinBytesOnTheWire()
{
    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    RunPlan plan = planOn(pty.slaveName(), 1000);
    plan.targets = {Target{Function::Dc2, 7, "03", "11", "0"},
                    Target{Function::Dc3, 2, "01", "12", "100"},
                    Target{Function::Dc4, 120, "01", "71", "0"}};
    plan.count = 4;
    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QList<ExchangeRecord> records;
    connect(&engine, &DiagnosisEngine::exchangeFinished, this,
            [&](const ExchangeRecord& r) { records << r; });
    QVERIFY(engine.start(plan));

    const QList<QByteArray> commands = {
        onWire("<DC2>00703<US>11<ETX>"), onWire("<DC3>00201<US>12<US>00100<US>00695<ETX>"),
        onWire("<DC4>120<DC2>00101<US>71<ETX>"), onWire("<DC2>00703<US>11<ETX>")};
    const QList<QByteArray> replies = {onWire("<STX>00703<US>11<US>0000300655<ETB>"),
                                       onWire("<ACK>"), onWire("<STX>12071<RS>001<RS>00458<ETB>"),
                                       onWire("<STX>00703<US>11<US>0000300655<ETB>")};
    for (int i = 0; i < commands.size(); ++i) {
        QCOMPARE(pty.readExactly(int(commands[i].size()), 2000), commands[i]);
        QVERIFY(pty.writeToPeer(replies[i]));
    }
    QTRY_COMPARE(records.size(), 4);
    QCOMPARE(pty.readFromPeer(100), QByteArray()); // the count is reached: nothing more
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(records[i].frame, commands[i]);
        QCOMPARE(records[i].reply, replies[i]);
        QCOMPARE(records[i].outcome, Outcome::Ok);
        QCOMPARE(records[i].targetIndex, i % 3);
        // 11 bits a character at 9600 bit/s.
        QCOMPARE(records[i].commandWireUs, commands[i].size() * 11 * 1'000'000 / 9600);
        QCOMPARE(records[i].replyWireUs, replies[i].size() * 11 * 1'000'000 / 9600);
    }
    QCOMPARE(records[0].value, std::optional<double>(3.0));
    QCOMPARE(engine.statistics().perTarget[0].sent(), quint64(2));
    QVERIFY(!engine.isRunning());
}

void tst_DiagnosisEngineOverPty::stopLeavesNoExchangePending()
{
    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QSignalSpy exchanges(&engine, &DiagnosisEngine::exchangeFinished);
    QSignalSpy finished(&engine, &DiagnosisEngine::finished);
    QVERIFY(engine.start(planOn(pty.slaveName(), 150)));
    QCOMPARE(pty.readExactly(int(kReadCommand.size()), 2000), kReadCommand);

    engine.stop();
    QCOMPARE(finished.size(), 1); // before stop() returned
    QCOMPARE(finished[0][0].value<RunEnd>(), RunEnd::Stopped);
    QVERIFY(!engine.isRunning());
    QCOMPARE(engine.exchangesDone(), qint64(0));
    // Neither the time-out nor a reply afterwards brings the dropped exchange back.
    QVERIFY(pty.writeToPeer(kReadReply));
    QTest::qWait(300);
    QCOMPARE(exchanges.size(), 0);
    QCOMPARE(engine.statistics().overall.sent(), quint64(0));
    QCOMPARE(finished.size(), 1);
}

void tst_DiagnosisEngineOverPty::stopAfterExchangeWaitsForIt()
{
    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QSignalSpy exchanges(&engine, &DiagnosisEngine::exchangeFinished);
    QSignalSpy finished(&engine, &DiagnosisEngine::finished);
    QVERIFY(engine.start(planOn(pty.slaveName(), 2000)));
    QCOMPARE(pty.readExactly(int(kReadCommand.size()), 2000), kReadCommand);

    engine.stopAfterExchange();
    QCOMPARE(finished.size(), 0);
    QVERIFY(pty.writeToPeer(kReadReply));
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(exchanges.size(), 1);
    QCOMPARE(exchanges[0][0].value<ExchangeRecord>().outcome, Outcome::Ok);
    QCOMPARE(pty.readFromPeer(50), QByteArray());
}

void tst_DiagnosisEngineOverPty::lateBytesDelayTheNextSendByTheGap()
{
    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    RunPlan plan = planOn(pty.slaveName(), 100);
    plan.gapMs = 80;
    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QList<ExchangeRecord> records;
    QByteArray late;
    qint64 lateSequence = 0;
    connect(&engine, &DiagnosisEngine::exchangeFinished, this,
            [&](const ExchangeRecord& r) { records << r; });
    connect(&engine, &DiagnosisEngine::lateBytes, this,
            [&](qint64 sequence, int, const QByteArray& b) {
                lateSequence = sequence;
                late += b;
            });
    QVERIFY(engine.start(plan));
    QCOMPARE(pty.readExactly(int(kReadCommand.size()), 2000), kReadCommand);
    QTRY_COMPARE(records.size(), 1); // timed out
    QCOMPARE(records[0].outcome, Outcome::Timeout);

    // The reply comes after the time-out, inside the gap.
    QVERIFY(pty.writeToPeer(kReadReply));
    QElapsedTimer sinceLate;
    sinceLate.start();
    QCOMPARE(pty.readExactly(int(kReadCommand.size()), 2000), kReadCommand);
    QVERIFY2(sinceLate.elapsed() >= 75, qPrintable(QString::number(sinceLate.elapsed())));
    QCOMPARE(late, kReadReply);
    QCOMPARE(lateSequence, qint64(1));
    QCOMPARE(engine.statistics().overall.lateExchanges(), quint64(1));
    QCOMPARE(engine.statistics().overall.lateBytes(), quint64(kReadReply.size()));

    // The second command gets its own reply; the late one was never taken for it.
    QVERIFY(pty.writeToPeer(kReadReply));
    QTRY_COMPARE(records.size(), 2);
    QCOMPARE(records[1].outcome, Outcome::Ok);
    QVERIFY(records[1].responseUs < 50'000);
    engine.stop();
}

void tst_DiagnosisEngineOverPty::restOfALateReplyAfterTheNextSend()
{
    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    RunPlan plan = planOn(pty.slaveName(), 100);
    plan.gapMs = 300; // room to write the first piece before the next send
    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QList<ExchangeRecord> records;
    QByteArray late;
    connect(&engine, &DiagnosisEngine::exchangeFinished, this,
            [&](const ExchangeRecord& r) { records << r; });
    connect(&engine, &DiagnosisEngine::lateBytes, this,
            [&](qint64 sequence, int, const QByteArray& b) {
                if (sequence == 1)
                    late += b;
            });
    QVERIFY(engine.start(plan));
    QCOMPARE(pty.readExactly(int(kReadCommand.size()), 2000), kReadCommand);
    QTRY_COMPARE(records.size(), 1);

    // A late reply in two pieces, the second after the next command has gone out.
    QVERIFY(pty.writeToPeer(kReadReply.first(8)));
    QCOMPARE(pty.readExactly(int(kReadCommand.size()), 2000), kReadCommand);
    QVERIFY(pty.writeToPeer(kReadReply.sliced(8)));
    QTRY_COMPARE(late, kReadReply);
    QVERIFY(pty.writeToPeer(kReadReply));
    QTRY_COMPARE(records.size(), 2);
    QCOMPARE(records[1].outcome, Outcome::Ok);
    QCOMPARE(records[1].reply, kReadReply);
    engine.stop();
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
    QVERIFY(engine.start(planOn(link, 3000)));
    QCOMPARE(first->readExactly(int(kReadCommand.size()), 2000), kReadCommand);
    QVERIFY(first->writeToPeer(kReadReply));
    QTRY_COMPARE(records.size(), 1);
    QCOMPARE(first->readExactly(int(kReadCommand.size()), 2000), kReadCommand);

    // The instrument side goes away with the second exchange in progress, and
    // its device with it: a pty number set free may be handed to another
    // program's pty at once, which a retry must never open.
    first->closeMaster();
    first->closeSlave();
    QVERIFY(QFile::remove(link));
    QTRY_COMPARE(lost.size(), 1);
    QVERIFY(lost[0][0].toString().startsWith(link + QStringLiteral(": ")));
    QVERIFY(engine.isPortLost());
    QTest::qWait(1500); // reopening fails meanwhile: still reported once, nothing counted
    QCOMPARE(lost.size(), 1);
    QCOMPARE(back.size(), 0);
    QCOMPARE(records.size(), 1);

    PtyPair second;
    QVERIFY(second.isValid());
    QVERIFY(QFile::link(second.slaveName(), link));
    QTRY_COMPARE_WITH_TIMEOUT(back.size(), 1, 3000);
    // The abandoned exchange is sent again as the second one.
    QCOMPARE(second.readExactly(int(kReadCommand.size()), 2000), kReadCommand);
    QVERIFY(second.writeToPeer(kReadReply));
    QTRY_COMPARE(records.size(), 2);
    QCOMPARE(records[1].sequence, qint64(2));
    QCOMPARE(records[1].outcome, Outcome::Ok);
    QCOMPARE(engine.statistics().overall.sent(), quint64(2));
    engine.stop();
    QVERIFY(!engine.isRunning());
}

void tst_DiagnosisEngineOverPty::durationEndsWhileThePortIsLost()
{
    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("port"));
    QVERIFY(QFile::link(pty.slaveName(), link));
    RunPlan plan = planOn(link, 3000);
    plan.durationMs = 1200;
    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QSignalSpy lost(&engine, &DiagnosisEngine::portLost);
    QSignalSpy finished(&engine, &DiagnosisEngine::finished);
    QElapsedTimer run;
    run.start();
    QVERIFY(engine.start(plan));
    QCOMPARE(pty.readExactly(int(kReadCommand.size()), 2000), kReadCommand);
    pty.closeMaster();
    pty.closeSlave();
    QVERIFY(QFile::remove(link));
    QTRY_COMPARE(lost.size(), 1);
    // The port does not come back; the first retry after the duration ends the run.
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 4000);
    QCOMPARE(finished[0][0].value<RunEnd>(), RunEnd::Completed);
    QVERIFY2(run.elapsed() < 2500, qPrintable(QString::number(run.elapsed())));
    QCOMPARE(engine.statistics().overall.sent(), quint64(0));
}

void tst_DiagnosisEngineOverPty::refusedPort()
{
    DiagnosisEngine engine(std::make_unique<QtSerialLine>());
    QString refusal;
    QVERIFY(!engine.start(planOn(QStringLiteral("/dev/linkbench-no-such-port"), 100), &refusal));
    OpenRefusal missing;
    missing.kind = OpenRefusal::Kind::Missing;
    missing.foundNow = findRealPorts();
    QCOMPARE(refusal, QStringLiteral("/dev/linkbench-no-such-port: ") + refusalText(missing));
    QVERIFY(!engine.isRunning());
    RunPlan empty = planOn(QStringLiteral("/dev/null"), 100);
    empty.targets.clear();
    QVERIFY(!engine.start(empty, &refusal));
    QCOMPARE(refusal, QStringLiteral("没有要发送的命令（no target to poll）"));
}

QTEST_GUILESS_MAIN(tst_DiagnosisEngineOverPty)
#include "tst_DiagnosisEngineOverPty.moc"
