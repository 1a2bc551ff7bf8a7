// A soak of the real tool against linkbench-sim: 2,000 exchanges with one
// reply in twenty dropped by the simulator, the next Start chosen as soon as
// the previous entry is written. Every Start must yield exactly one entry, of
// the kind and with the frame of its command: a reply entry, an
// acknowledgement, or a time-out for exactly the replies that the simulator's
// log says it dropped.
//
// The reply timer is shortened here, and only here, so that the hundred or so
// time-outs do not take five minutes; it stays far above the slowest answer
// (the figures are printed).

#include "TestMain.h"
#include "ToolAgainstSim.h"
#include "ui/TranscriptPane.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

using namespace withsim;

namespace {

constexpr int kExchanges = 2000;
constexpr int kShortReplyTimeoutMs = 200;

const QString P11 = QStringLiteral("11:分读号 ");
const QString P73 = QStringLiteral("73:读HBX所挂接仪表瞬时值");

// The four commands the soak goes round, all to instrument 005 (or the HBX at
// 05), channel 01. The write puts back the parameter's start value "00003", so
// every read of it answers the same.
const QString ReadValue = wireText("<DC1>00501<ETX>");
const QString ReadParam = wireText("<DC2>00501<US>11<ETX>");
const QString WriteParam = wireText("<DC3>00501<US>11<US>00003<US>00699<ETX>");
const QString HbxValues = wireText("<DC4>05<DC2>00101<US>73<ETX>");
const QString ParamReply = wireText("<STX>00501<US>11<US>0000300651<ETB>");

const QString Sent = QStringLiteral("\r\n发送:");
const QString TimedOut = QStringLiteral("串口超时错误!!!");

struct Command
{
    int function;
    QString frame;
    QRegularExpression reply; // the whole entry, with the arrow left open
    QString timeout;          // the whole time-out entry
};

QString escaped(const QString& text)
{
    return QRegularExpression::escape(text);
}

QList<Command> commands()
{
    // Spaced only into an empty pane: checked apart, by its name.
    const QString arrow = QStringLiteral("(?<arrow> ?→ ?接收:)");
    const auto sentPart = [](const QString& frame) { return escaped(kStamp + Sent + frame); };

    QString hbxFields;
    for (int address = 1; address <= 11; ++address)
        hbxFields += QStringLiteral("%1").arg(address, 3, 10, QLatin1Char('0')) +
                     QStringLiteral(R"(01[+-]\d{4}\.\d\x1e)");

    return {
        {0, ReadValue,
         QRegularExpression(escaped(QStringLiteral("▲△▲△ 读瞬时值   校验和:")) + R"(\d{5})" +
                            sentPart(ReadValue) + arrow + R"(\x0200501[+-]\d{4}\.\d\d{5}\x17$)"),
         QStringLiteral("▲△▲△ 读瞬时值   ") + kStamp + Sent + ReadValue +
             QStringLiteral(" → 接收:") + TimedOut},
        {1, ReadParam,
         QRegularExpression(
             escaped(QStringLiteral("△△△△ 读参数值(") + P11 + QStringLiteral(")  ")) +
             sentPart(ReadParam) + arrow + escaped(ParamReply) + u'$'),
         QStringLiteral("△△△△ 读参数值(") + P11 + QStringLiteral(")  ") + kStamp + Sent +
             ReadParam + QStringLiteral(" → 接收:") + TimedOut},
        {2, WriteParam,
         QRegularExpression(
             escaped(QStringLiteral("▲▲▲▲ 写参数值(") + P11 + QStringLiteral(")  ")) +
             sentPart(WriteParam) + escaped(QStringLiteral("→接收:ACK  √")) + u'$'),
         QStringLiteral("▲▲▲▲ 读参数值(") + P11 + QStringLiteral(")  ") + kStamp + Sent +
             WriteParam + QStringLiteral("→接收:") + TimedOut},
        {3, HbxValues,
         QRegularExpression(escaped(QStringLiteral("△△△△ (") + P73 + QStringLiteral(")  校验和:")) +
                            R"(\d{5})" + sentPart(HbxValues) + arrow + R"(\x020573\x1e\r\n)" +
                            hbxFields + u'$'),
         QStringLiteral("△△△△ (") + P73 + QStringLiteral(")  ") + kStamp + Sent + HbxValues +
             QStringLiteral(" → 接收:") + TimedOut},
    };
}

// What the soak saw of each exchange.
struct Exchange
{
    bool timedOut = false;
    qint64 elapsedUs = 0; // from the Start to the entry
};

} // namespace

class tst_ComTestWithSimSoak : public QObject
{
    Q_OBJECT

private slots:
    void everyStartYieldsExactlyOneEntry();
};

void tst_ComTestWithSimSoak::everyStartYieldsExactlyOneEntry()
{
    // The simulator still hands each reply over character by character, but
    // paced as at 500000 bit/s so that the soak fits in its minute; the tool's
    // own line setting is 56000,n,8,2, which a pty takes as it is.
    SimProcess sim;
    QVERIFY(
        sim.start({QStringLiteral("--baud"), QStringLiteral("500000"),
                   QStringLiteral("--reply-delay"), QStringLiteral("1"), QStringLiteral("--drop"),
                   QStringLiteral("5"), QStringLiteral("--seed"), QStringLiteral("20261207")}));
    ToolOnSim tool(sim.device());
    QVERIFY(tool.activated);
    ComTest& w = tool.window();
    const Transcript& transcript = w.transcript();
    tool.chooseFastestLine();
    QCOMPARE(w.Combo3->currentText(), QStringLiteral("56000,n,8,2"));
    tool.act(Operator{.function = 2, .value = QStringLiteral("3"), .address = QStringLiteral("5")});
    w.Timer2->setInterval(kShortReplyTimeoutMs); // test-only: see the top of the file

    for (const Command& command : commands())
        QVERIFY2(command.reply.isValid(), qPrintable(command.reply.errorString()));
    const QList<Command> round = commands();

    QList<Exchange> seen;
    qsizetype lengthBefore = 0;
    QString failure;
    QElapsedTimer sinceStart;
    QEventLoop loop;
    QObject context;

    const auto startNext = [&] {
        const Command& command = round[seen.size() % round.size()];
        tool.chooseFunction(command.function);
        sinceStart.start();
        w.Mnu开始->trigger();
    };

    // Looks at each entry as it is written, then chooses Start again once the
    // writer's handler has returned (it still switches the timer off after
    // the entry is in).
    connect(w.REC1, &QPlainTextEdit::textChanged, &context, [&] {
        const qsizetype count = transcript.entryCount();
        if (count == seen.size() || !failure.isEmpty())
            return;
        const int index = int(seen.size());
        if (count != index + 1) {
            failure = QStringLiteral("exchange %1 left %2 entries").arg(index + 1).arg(count);
            loop.quit();
            return;
        }
        const Command& command = round[index % round.size()];
        // The newest entry and the separator below it: what this exchange added on top.
        QString entry = transcript.text().left(transcript.length() - lengthBefore);
        lengthBefore = transcript.length();
        if (index > 0 && !entry.endsWith(QStringLiteral("\r\n\r\n"))) {
            failure = QStringLiteral("exchange %1: no empty line below: %2")
                          .arg(index + 1)
                          .arg(visible(entry));
            loop.quit();
            return;
        }
        entry.chop(index > 0 ? 4 : 0);
        Exchange exchange;
        exchange.elapsedUs = sinceStart.nsecsElapsed() / 1000;
        exchange.timedOut = entry == command.timeout;
        if (!exchange.timedOut) {
            const QRegularExpressionMatch match = command.reply.match(entry);
            const QString arrow =
                index == 0 ? QStringLiteral(" → 接收:") : QStringLiteral(" →接收:");
            if (!match.hasMatch() || (match.hasCaptured(QStringLiteral("arrow")) &&
                                      match.captured(QStringLiteral("arrow")) != arrow)) {
                failure = QStringLiteral("exchange %1: %2").arg(index + 1).arg(visible(entry));
                loop.quit();
                return;
            }
        }
        seen << exchange;
        if (seen.size() < kExchanges)
            QTimer::singleShot(0, &context, startNext);
        else
            loop.quit();
    });
    QTimer::singleShot(180'000, &loop, &QEventLoop::quit); // never hang
    QElapsedTimer soak;
    soak.start();
    QTimer::singleShot(0, &context, startNext);
    loop.exec();
    const qint64 soakMs = soak.elapsed();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(seen.size(), kExchanges);

    // A late answer would show as one entry too many.
    QTest::qWait(3 * kShortReplyTimeoutMs);
    QCOMPARE(transcript.entryCount(), kExchanges);

    // The simulator heard every command once, in order, and dropped the
    // replies of exactly the exchanges that timed out.
    QTRY_COMPARE_WITH_TIMEOUT(sim.exchanges().size(), kExchanges, 5000);
    const QStringList logged = sim.exchanges();
    const QString dropped = QStringLiteral("  应答丢弃（--drop）：");
    int drops = 0;
    int timeouts = 0;
    qint64 slowestAnswerUs = 0;
    for (int i = 0; i < kExchanges; ++i) {
        const QString heard = QStringLiteral("收 ") + visible(round[i % round.size()].frame);
        QVERIFY2(logged[i].startsWith(heard + dropped) ||
                     logged[i].startsWith(heard + QStringLiteral("  答 ")),
                 qPrintable(QStringLiteral("exchange %1: %2").arg(i + 1).arg(logged[i])));
        const bool wasDropped = logged[i].startsWith(heard + dropped);
        QVERIFY2(wasDropped == seen[i].timedOut,
                 qPrintable(QStringLiteral("exchange %1: %2").arg(i + 1).arg(logged[i])));
        drops += wasDropped;
        timeouts += seen[i].timedOut;
        if (!seen[i].timedOut)
            slowestAnswerUs = qMax(slowestAnswerUs, seen[i].elapsedUs);
    }
    QCOMPARE(timeouts, drops);
    QVERIFY(drops > 0);
    qInfo("%d exchanges in %lld ms, %d time-outs = %d dropped replies; slowest answer %.1f ms "
          "against a reply timer of %d ms",
          kExchanges, soakMs, timeouts, drops, double(slowestAnswerUs) / 1000.0,
          kShortReplyTimeoutMs);
    QCOMPARE(tool.boxes.texts(), QStringList());
}

LINKBENCH_TEST_MAIN(tst_ComTestWithSimSoak)
#include "tst_ComTestWithSimSoak.moc"
