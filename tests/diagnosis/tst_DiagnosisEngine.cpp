// The engine on a fake line whose far end answers each command by a script:
// what it makes of each reply, late and stray bytes, when it sends, stopping,
// and a line that fails and comes back.

#include "FakeSerialLine.h"
#include "TestMain.h"
#include "WireText.h"
#include "diagnosis/DiagnosisEngine.h"
#include "wire/WireText.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace diagnosis;

namespace {

const QString kPort = QStringLiteral("/dev/fake");
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
        m_wire << QStringLiteral("> ") + wire::namedBytes(bytes);
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
                             late[sequence - 1] += wire::namedBytes(bytes);
                         });
    }

    ScriptedLine* line;
    DiagnosisEngine engine;
    QList<ExchangeRecord> records;
    QStringList late; // the late bytes of each exchange
    QSignalSpy finished{&engine, &DiagnosisEngine::finished};
};

} // namespace

class tst_DiagnosisEngine : public QObject
{
    Q_OBJECT

private slots:
    void eachExchange_data();
    void eachExchange();
    void stopping_data();
    void stopping();
    void lostLine_data();
    void lostLine();
};

void tst_DiagnosisEngine::eachExchange_data()
{
    QTest::addColumn<QList<Target>>("targets");
    QTest::addColumn<int>("gapMs");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QList<Outcome>>("outcomes");
    QTest::addColumn<QStringList>("replies"); // each with " = " and the value it carries, if any
    QTest::addColumn<QStringList>("late");
    QTest::addColumn<int>("noiseBytes");   // of the whole run, stray bytes included
    QTest::addColumn<QStringList>("wire"); // what crossed the line in order, when it matters

    const QList<Target> read = {Target{}};
    const QList<Target> readAndWrite = {Target{}, Target{Function::Dc3, 1, "01", "12", "100"}};
    const QString parameter = QStringLiteral("<STX>00703<US>11<US>0000300655<ETB>");
    const QString spoiled = QStringLiteral("<STX>00101+0011.000576<ETB>");
    const QString read11 = kReadReply + " = 11";

    QTest::newRow("round robin over the three functions and the concentrator, to the count")
        << QList<Target>{Target{Function::Dc2, 7, "03", "11", "0"},
                         Target{Function::Dc3, 2, "01", "12", "100"},
                         Target{Function::Dc4, 120, "01", "71", "0"}}
        << -1 << QStringList{parameter, "<ACK>", "<STX>12071<RS>001<RS>00458<ETB>", parameter}
        << QList<Outcome>(4, Outcome::Ok)
        << QStringList{parameter + " = 3", "<ACK>", "<STX>12071<RS>001<RS>00458<ETB>",
                       parameter + " = 3"}
        << QStringList{} << 0
        << QStringList{"> <DC2>00703<US>11<ETX>",
                       "< " + parameter,
                       "> <DC3>00201<US>12<US>00100<US>00695<ETX>",
                       "< <ACK>",
                       "> <DC4>120<DC2>00101<US>71<ETX>",
                       "< <STX>12071<RS>001<RS>00458<ETB>",
                       "> <DC2>00703<US>11<ETX>",
                       "< " + parameter};
    QTest::newRow("every outcome by turns, a reply in pieces, stray characters")
        << readAndWrite << 30
        << QStringList{"<STX>001 | +5 01+0011. | +10 000575<ETB>", "<ACK> | +5 xyz", "ab" + spoiled,
                       "<NAK>", ""}
        << QList{Outcome::Ok, Outcome::Ok, Outcome::Check, Outcome::Nak, Outcome::Timeout}
        << QStringList{read11, "<ACK>", "ab" + spoiled + " = 11", "<NAK>", ""} << QStringList{} << 5
        << QStringList{};
    QTest::newRow("a late reply before the next send is never taken for its reply")
        << read << 60 << QStringList{"+60 " + kReadReply, kReadReply}
        << QList{Outcome::Timeout, Outcome::Ok} << QStringList{"", read11}
        << QStringList{kReadReply} << 0 << QStringList{};
    QTest::newRow("a late reply in pieces holds the next send until the line is quiet")
        << read << 50 << QStringList{"+60 <STX>001 | +85 01+0011. | +110 000575<ETB>", kReadReply}
        << QList{Outcome::Timeout, Outcome::Ok} << QStringList{"", read11}
        << QStringList{kReadReply} << 0
        << QStringList{"> " + kRead,    "< <STX>001", "< 01+0011.",
                       "< 000575<ETB>", "> " + kRead, "< " + kReadReply};
    QTest::newRow("a late reply during the next exchange names the earlier place")
        << QList<Target>{Target{}, Target{Function::Dc2, 7, "03", "11", "0"}} << -1
        << QStringList{"", "+5 " + kReadReply + " | +20 " + parameter}
        << QList{Outcome::Timeout, Outcome::Ok} << QStringList{"", parameter + " = 3"}
        << QStringList{kReadReply} << 0 << QStringList{};
    QTest::newRow("the rest of a late reply after the next send")
        << read << 60 << QStringList{"+50 <STX>00101+00", "11.000575<ETB> | +20 " + kReadReply}
        << QList{Outcome::Timeout, Outcome::Ok} << QStringList{"", read11}
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
    QVERIFY(run.engine.start({.port = kPort,
                              .targets = targets,
                              .timeoutMs = 40,
                              .gapMs = gapMs,
                              .count = script.size()}));
    QTRY_COMPARE(run.finished.size(), 1);
    QCOMPARE(run.finished[0][0].value<RunEnd>(), RunEnd::Completed);
    QCOMPARE(run.line->calls().first(), QStringLiteral("open /dev/fake 9600,n,8,2"));
    QVERIFY(!run.line->isOpen());
    QCOMPARE(run.line->writes().size(), script.size()); // the count is reached: nothing more

    QCOMPARE(run.records.size(), outcomes.size());
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        const ExchangeRecord& r = run.records[i];
        QCOMPARE(r.sequence, i + 1);
        QCOMPARE(r.targetIndex, i % targets.size());
        QCOMPARE(r.frame, run.line->writes()[i]);
        QCOMPARE(r.outcome, outcomes[i]);
        QCOMPARE(wire::namedBytes(r.reply), replies[i].section(" = ", 0, 0));
        QCOMPARE(valueText(r.value), replies[i].section(" = ", 1));
        QCOMPARE(r.responseUs >= 0, outcomes[i] != Outcome::Timeout);
        // 11 bits a character at 9600 bit/s.
        QCOMPARE(r.commandWireUs, r.frame.size() * 11 * 1'000'000 / 9600);
        QCOMPARE(r.replyWireUs, r.responseUs < 0 ? 0 : r.reply.size() * 11 * 1'000'000 / 9600);
    }
    QCOMPARE(run.late, late);
    const RunStatistics& statistics = run.engine.statistics();
    QCOMPARE(statistics.overall.lateExchanges(), quint64(late.size() - late.count(QString())));
    QCOMPARE(statistics.overall.noiseBytes(), quint64(noiseBytes));
    // By turns: target t has every n-th exchange from the (t+1)-th, n targets.
    for (qsizetype t = 0; t < targets.size(); ++t)
        QCOMPARE(statistics.perTarget[t].sent(),
                 quint64((outcomes.size() + targets.size() - 1 - t) / targets.size()));
    if (!wire.isEmpty())
        QCOMPARE(run.line->wire(), wire);
}

void tst_DiagnosisEngine::stopping_data()
{
    QTest::addColumn<bool>("afterExchange");

    QTest::newRow("stop drops the exchange in progress") << false;
    QTest::newRow("stop after the exchange waits for it") << true;
}

void tst_DiagnosisEngine::stopping()
{
    QFETCH(bool, afterExchange);

    Run run({"+20 " + kReadReply});
    QVERIFY(run.engine.start({.port = kPort, .targets = {Target{}}, .timeoutMs = 60}));
    QTRY_COMPARE(run.line->writes().size(), 1);
    if (afterExchange) {
        run.engine.stopAfterExchange();
        QCOMPARE(run.finished.size(), 0);
        QTRY_COMPARE(run.finished.size(), 1);
    } else {
        run.engine.stop();
        QCOMPARE(run.finished.size(), 1); // before stop() returned
        QCOMPARE(run.engine.exchangesDone(), qint64(0));
    }
    QCOMPARE(run.finished[0][0].value<RunEnd>(), RunEnd::Stopped);
    QVERIFY(!run.line->isOpen());
    // Neither the reply nor the time-out afterwards brings a dropped exchange back.
    QTest::qWait(100);
    QCOMPARE(run.records.size(), afterExchange ? 1 : 0);
    QCOMPARE(run.engine.statistics().overall.sent(), quint64(afterExchange ? 1 : 0));
    QCOMPARE(run.finished.size(), 1);
    QCOMPARE(run.line->writes().size(), 1);
}

void tst_DiagnosisEngine::lostLine_data()
{
    QTest::addColumn<qint64>("durationMs");

    QTest::newRow("the run pauses until the line is back") << qint64(0);
    QTest::newRow("a duration ends while the line is lost") << qint64(300);
}

void tst_DiagnosisEngine::lostLine()
{
    QFETCH(qint64, durationMs);

    Run run({kReadReply, "", kReadReply});
    QSignalSpy lost(&run.engine, &DiagnosisEngine::portLost);
    QSignalSpy back(&run.engine, &DiagnosisEngine::portBack);
    QVERIFY(run.engine.start(
        {.port = kPort, .targets = {Target{}}, .timeoutMs = 3000, .durationMs = durationMs}));
    QTRY_COMPARE(run.line->writes().size(), 2);

    // The line fails with the second exchange in progress, and does not open at first.
    run.line->refuseOpen(QStringLiteral("/dev/fake: gone"));
    run.line->forgetCalls();
    run.line->fail(QStringLiteral("/dev/fake: read error"));
    QCOMPARE(lost.size(), 1);
    QCOMPARE(lost[0][0].toString(), QStringLiteral("/dev/fake: read error"));
    QVERIFY(run.engine.isPortLost());
    if (durationMs > 0) {
        // The first retry after the duration ends the run.
        QTRY_COMPARE_WITH_TIMEOUT(run.finished.size(), 1, 3000);
        QCOMPARE(run.finished[0][0].value<RunEnd>(), RunEnd::Completed);
        QCOMPARE(run.engine.statistics().overall.sent(), quint64(1));
        return;
    }
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
}

LINKBENCH_TEST_GUILESS_MAIN(tst_DiagnosisEngine)
#include "tst_DiagnosisEngine.moc"
