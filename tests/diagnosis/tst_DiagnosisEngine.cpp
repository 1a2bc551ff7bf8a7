// The engine on a fake line whose far end answers each command by a script:
// what it makes of each reply, late and stray bytes, when it sends, stopping,
// and a line that fails and comes back.

#include "FakeSerialLine.h"
#include "WireText.h"
#include "diagnosis/DiagnosisEngine.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace diagnosis;

namespace {

const QString kRead = QStringLiteral("<DC1>00101<ETX>");
const QString kReadReply = QStringLiteral("<STX>00101+0011.000575<ETB>");

// The far end: the answer to the n-th command is the n-th script entry, pieces
// split by " | ", a piece "+40 ..." delivered 40 ms after that command, the
// others at once; every piece comes from the event loop, as a real line's do.
// What crossed the line is kept in order: "> command" and "< piece".
class ScriptedLine : public FakeSerialLine
{
public:
    explicit ScriptedLine(const QStringList& script) : m_script(script) {}

    void write(const QByteArray& bytes) override
    {
        FakeSerialLine::write(bytes);
        m_wire << QStringLiteral("> ") + visible(QString::fromLatin1(bytes));
        for (QString piece : m_script.value(writes().size() - 1).split(QStringLiteral(" | "))) {
            int afterMs = 0;
            if (piece.startsWith(u'+')) {
                afterMs = piece.section(u' ', 0, 0).toInt();
                piece = piece.section(u' ', 1);
            }
            QTimer::singleShot(afterMs, Qt::PreciseTimer, this, [this, piece] {
                m_wire << QStringLiteral("< ") + piece;
                deliver(onWire(piece));
            });
        }
    }
    const QStringList& wire() const { return m_wire; }

private:
    QStringList m_script;
    QStringList m_wire;
};

struct Run
{
    explicit Run(const QStringList& script)
        : line(new ScriptedLine(script)), engine(std::unique_ptr<SerialLine>(line))
    {
        QObject::connect(&engine, &DiagnosisEngine::exchangeFinished,
                         [this](const ExchangeRecord& r) { records << r; });
        QObject::connect(&engine, &DiagnosisEngine::lateBytes,
                         [this](qint64 sequence, int, const QByteArray& bytes) {
                             late.resize(qMax(late.size(), qsizetype(sequence)));
                             late[sequence - 1] += visible(QString::fromLatin1(bytes));
                         });
    }

    ScriptedLine* line;
    DiagnosisEngine engine;
    QList<ExchangeRecord> records;
    QStringList late; // the late bytes of each exchange
    QSignalSpy finished{&engine, &DiagnosisEngine::finished};
};

RunPlan planOf(QList<Target> targets, int timeoutMs, qint64 count)
{
    RunPlan plan;
    plan.port = QStringLiteral("/dev/fake");
    plan.targets = std::move(targets);
    plan.timeoutMs = timeoutMs;
    plan.count = count;
    return plan;
}

} // namespace

class tst_DiagnosisEngine : public QObject
{
    Q_OBJECT

private slots:
    void eachExchange_data();
    void eachExchange();
    void roundRobinToTheCount();
    void stopDropsTheExchangeInProgress();
    void stopAfterExchangeWaitsForIt();
    void lostLinePausesUntilItIsBack();
    void durationEndsWhileTheLineIsLost();
    void refusals();
};

void tst_DiagnosisEngine::eachExchange_data()
{
    QTest::addColumn<QList<Target>>("targets");
    QTest::addColumn<int>("gapMs");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QList<Outcome>>("outcomes");
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QStringList>("late");
    QTest::addColumn<int>("noiseBytes");   // of the whole run, stray bytes included
    QTest::addColumn<QStringList>("wire"); // what crossed the line in order, when it matters

    const QList<Target> read = {Target{}};
    const QList<Target> write = {Target{Function::Dc3, 1, "01", "12", "100"}};
    // Read on channel 01 of 001 and parameter 11 of 007 channel 03, by turns.
    const QList<Target> twoPlaces = {Target{}, Target{Function::Dc2, 7, "03", "11", "0"}};
    const QString parameterReply = QStringLiteral("<STX>00703<US>11<US>0000300655<ETB>");
    const QString spoiled = QStringLiteral("<STX>00101+0011.000576<ETB>");

    QTest::newRow("reply in one piece")
        << read << -1 << QStringList{kReadReply} << QList{Outcome::Ok} << QStringList{kReadReply}
        << QStringList{} << 0 << QStringList{};
    QTest::newRow("reply in three pieces")
        << read << -1 << QStringList{"<STX>001 | +5 01+0011. | +10 000575<ETB>"}
        << QList{Outcome::Ok} << QStringList{kReadReply} << QStringList{} << 0 << QStringList{};
    QTest::newRow("stray characters ahead of a reply and after it")
        << read << 30 << QStringList{"ab<STX>00101+0011.000575<ETB> | +5 xyz", kReadReply}
        << QList{Outcome::Ok, Outcome::Ok} << QStringList{"ab" + kReadReply, kReadReply}
        << QStringList{} << 5 << QStringList{};
    QTest::newRow("silence") << read << -1 << QStringList{""} << QList{Outcome::Timeout}
                             << QStringList{""} << QStringList{} << 0 << QStringList{};
    QTest::newRow("a write acknowledged, then refused")
        << write << -1 << QStringList{"<ACK>", "<NAK>"} << QList{Outcome::Ok, Outcome::Nak}
        << QStringList{"<ACK>", "<NAK>"} << QStringList{} << 0 << QStringList{};
    QTest::newRow("a spoiled check field")
        << read << -1 << QStringList{spoiled} << QList{Outcome::Check} << QStringList{spoiled}
        << QStringList{} << 0 << QStringList{};
    QTest::newRow("a late reply before the next send is never taken for its reply")
        << read << 60 << QStringList{"+60 " + kReadReply, kReadReply}
        << QList{Outcome::Timeout, Outcome::Ok} << QStringList{"", kReadReply}
        << QStringList{kReadReply} << 0
        << QStringList{"> " + kRead, "< " + kReadReply, "> " + kRead, "< " + kReadReply};
    QTest::newRow("a late reply in pieces holds the next send until the line is quiet")
        << read << 50 << QStringList{"+60 <STX>001 | +85 01+0011. | +110 000575<ETB>", kReadReply}
        << QList{Outcome::Timeout, Outcome::Ok} << QStringList{"", kReadReply}
        << QStringList{kReadReply} << 0
        << QStringList{"> " + kRead,    "< <STX>001", "< 01+0011.",
                       "< 000575<ETB>", "> " + kRead, "< " + kReadReply};
    QTest::newRow("a late reply during the next exchange names the earlier place")
        << twoPlaces << -1 << QStringList{"", "+5 " + kReadReply + " | +20 " + parameterReply}
        << QList{Outcome::Timeout, Outcome::Ok} << QStringList{"", parameterReply}
        << QStringList{kReadReply} << 0 << QStringList{};
    QTest::newRow("the rest of a late reply after the next send")
        << read << 60 << QStringList{"+50 <STX>00101+00", "11.000575<ETB> | +20 " + kReadReply}
        << QList{Outcome::Timeout, Outcome::Ok} << QStringList{"", kReadReply}
        << QStringList{kReadReply} << 0 << QStringList{};
}

void tst_DiagnosisEngine::eachExchange()
{
    QFETCH(QList<Target>, targets);
    QFETCH(int, gapMs);
    QFETCH(QStringList, script);
    QFETCH(QList<Outcome>, outcomes);
    QFETCH(QStringList, replies);
    QFETCH(QStringList, late);
    QFETCH(int, noiseBytes);
    QFETCH(QStringList, wire);

    Run run(script);
    RunPlan plan = planOf(targets, 40, script.size());
    plan.gapMs = gapMs;
    QVERIFY(run.engine.start(plan));
    QTRY_COMPARE(run.finished.size(), 1);
    QCOMPARE(run.finished[0][0].value<RunEnd>(), RunEnd::Completed);

    QCOMPARE(run.records.size(), outcomes.size());
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        const ExchangeRecord& r = run.records[i];
        QCOMPARE(r.sequence, i + 1);
        QCOMPARE(r.outcome, outcomes[i]);
        QCOMPARE(visible(QString::fromLatin1(r.reply)), replies[i]);
        QCOMPARE(r.responseUs >= 0, outcomes[i] != Outcome::Timeout);
    }
    QCOMPARE(run.late, late);
    const ResponseStatistics& all = run.engine.statistics().overall;
    QCOMPARE(all.lateExchanges(), quint64(late.size() - late.count(QString())));
    QCOMPARE(all.noiseBytes(), quint64(noiseBytes));
    if (!wire.isEmpty())
        QCOMPARE(run.line->wire(), wire);
}

void tst_DiagnosisEngine::roundRobinToTheCount()
{
    const QStringList replies = {"<STX>00703<US>11<US>0000300655<ETB>", "<ACK>",
                                 "<STX>12071<RS>001<RS>00458<ETB>",
                                 "<STX>00703<US>11<US>0000300655<ETB>"};
    Run run(replies);
    RunPlan plan = planOf({Target{Function::Dc2, 7, "03", "11", "0"},
                           Target{Function::Dc3, 2, "01", "12", "100"},
                           Target{Function::Dc4, 120, "01", "71", "0"}},
                          1000, 4);
    QVERIFY(run.engine.start(plan));
    QTRY_COMPARE(run.finished.size(), 1);

    const QStringList commands = {"<DC2>00703<US>11<ETX>",
                                  "<DC3>00201<US>12<US>00100<US>00695<ETX>",
                                  "<DC4>120<DC2>00101<US>71<ETX>", "<DC2>00703<US>11<ETX>"};
    QCOMPARE(run.line->calls().first(), QStringLiteral("open /dev/fake 9600,n,8,2"));
    QCOMPARE(run.line->writes().size(), 4); // the count is reached: nothing more
    QCOMPARE(run.records.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const ExchangeRecord& r = run.records[i];
        QCOMPARE(r.frame, onWire(commands[i]));
        QCOMPARE(run.line->writes()[i], onWire(commands[i]));
        QCOMPARE(r.reply, onWire(replies[i]));
        QCOMPARE(r.outcome, Outcome::Ok);
        QCOMPARE(r.targetIndex, i % 3);
        // 11 bits a character at 9600 bit/s.
        QCOMPARE(r.commandWireUs, r.frame.size() * 11 * 1'000'000 / 9600);
        QCOMPARE(r.replyWireUs, r.reply.size() * 11 * 1'000'000 / 9600);
    }
    QCOMPARE(run.records[0].value, std::optional<double>(3.0));
    QCOMPARE(run.engine.statistics().perTarget[0].sent(), quint64(2));
    QVERIFY(!run.engine.isRunning());
    QVERIFY(!run.line->isOpen());
}

void tst_DiagnosisEngine::stopDropsTheExchangeInProgress()
{
    Run run({"+20 " + kReadReply});
    QVERIFY(run.engine.start(planOf({Target{}}, 40, 0)));
    QTRY_COMPARE(run.line->writes().size(), 1);

    run.engine.stop();
    QCOMPARE(run.finished.size(), 1); // before stop() returned
    QCOMPARE(run.finished[0][0].value<RunEnd>(), RunEnd::Stopped);
    QVERIFY(!run.line->isOpen());
    QCOMPARE(run.engine.exchangesDone(), qint64(0));
    // Neither the reply nor the time-out afterwards brings the dropped exchange back.
    QTest::qWait(80);
    QCOMPARE(run.records.size(), 0);
    QCOMPARE(run.engine.statistics().overall.sent(), quint64(0));
    QCOMPARE(run.finished.size(), 1);
}

void tst_DiagnosisEngine::stopAfterExchangeWaitsForIt()
{
    Run run({"+20 " + kReadReply});
    QVERIFY(run.engine.start(planOf({Target{}}, 1000, 0)));
    QTRY_COMPARE(run.line->writes().size(), 1);

    run.engine.stopAfterExchange();
    QCOMPARE(run.finished.size(), 0);
    QTRY_COMPARE(run.finished.size(), 1);
    QCOMPARE(run.finished[0][0].value<RunEnd>(), RunEnd::Stopped);
    QCOMPARE(run.records.size(), 1);
    QCOMPARE(run.records[0].outcome, Outcome::Ok);
    QCOMPARE(run.line->writes().size(), 1);
}

void tst_DiagnosisEngine::lostLinePausesUntilItIsBack()
{
    Run run({kReadReply, "", kReadReply});
    QSignalSpy lost(&run.engine, &DiagnosisEngine::portLost);
    QSignalSpy back(&run.engine, &DiagnosisEngine::portBack);
    QVERIFY(run.engine.start(planOf({Target{}}, 3000, 0)));
    QTRY_COMPARE(run.line->writes().size(), 2);

    // The line fails with the second exchange in progress.
    run.line->refuseOpen(QStringLiteral("/dev/fake: gone"));
    run.line->forgetCalls();
    run.line->fail(QStringLiteral("/dev/fake: read error"));
    QCOMPARE(lost.size(), 1);
    QCOMPARE(lost[0][0].toString(), QStringLiteral("/dev/fake: read error"));
    QVERIFY(run.engine.isPortLost());
    // Reopening fails meanwhile: still reported once, nothing counted.
    QTRY_VERIFY_WITH_TIMEOUT(run.line->calls().contains("open /dev/fake 9600,n,8,2"), 3000);
    QCOMPARE(lost.size(), 1);
    QCOMPARE(back.size(), 0);
    QCOMPARE(run.records.size(), 1);

    run.line->refuseOpen(QString());
    QTRY_COMPARE_WITH_TIMEOUT(back.size(), 1, 3000);
    // The abandoned exchange is sent again as the second one, after the buffers were emptied.
    QTRY_COMPARE(run.records.size(), 2);
    QCOMPARE(run.line->calls().filter("open").size(), 2);
    QVERIFY(run.line->calls().indexOf("clear") < run.line->calls().indexOf("write " + kRead));
    QCOMPARE(run.records[1].sequence, qint64(2));
    QCOMPARE(run.records[1].outcome, Outcome::Ok);
    QCOMPARE(run.engine.statistics().overall.sent(), quint64(2));
    run.engine.stop();
    QVERIFY(!run.engine.isRunning());
}

void tst_DiagnosisEngine::durationEndsWhileTheLineIsLost()
{
    Run run({""});
    RunPlan plan = planOf({Target{}}, 3000, 0);
    plan.durationMs = 300;
    QSignalSpy lost(&run.engine, &DiagnosisEngine::portLost);
    QVERIFY(run.engine.start(plan));
    QTRY_COMPARE(run.line->writes().size(), 1);
    run.line->refuseOpen(QStringLiteral("/dev/fake: gone"));
    run.line->fail(QStringLiteral("/dev/fake: read error"));
    QCOMPARE(lost.size(), 1);
    // The line does not come back; the first retry after the duration ends the run.
    QTRY_COMPARE_WITH_TIMEOUT(run.finished.size(), 1, 3000);
    QCOMPARE(run.finished[0][0].value<RunEnd>(), RunEnd::Completed);
    QCOMPARE(run.engine.statistics().overall.sent(), quint64(0));
}

void tst_DiagnosisEngine::refusals()
{
    Run run({});
    QString refusal;
    run.line->refuseOpen(QStringLiteral("/dev/fake: busy"));
    QVERIFY(!run.engine.start(planOf({Target{}}, 100, 0), &refusal));
    QCOMPARE(refusal, QStringLiteral("/dev/fake: busy"));
    QVERIFY(!run.engine.isRunning());

    run.line->refuseOpen(QString());
    QVERIFY(!run.engine.start(planOf({}, 100, 0), &refusal));
    QCOMPARE(refusal, QStringLiteral("没有要发送的命令（no target to poll）"));
    QCOMPARE(run.line->writes().size(), 0);
    QCOMPARE(run.finished.size(), 0);
}

QTEST_GUILESS_MAIN(tst_DiagnosisEngine)
#include "tst_DiagnosisEngine.moc"
