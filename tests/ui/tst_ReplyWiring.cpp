// Reception and the reply time-out wired through the window: chunks from the
// serial line become transcript entries in the model and in REC1, Timer2's
// tick writes the time-out entry, and "清屏(&C)" empties both.

#include "ProgramHarness.h"
#include "TestMain.h"
#include "WireText.h"
#include "ui/TranscriptPane.h"

#include <QElapsedTimer>
#include <QMenuBar>
#include <QTimer>

namespace {

const QString S = QStringLiteral(" ◆◆  测试时间:2026-12-7 6:03:46");
const QString F1 = wireText("<DC1>00101<ETX>");
const QString F2 = wireText("<DC2>00101<US>11<ETX>");
// DC3, parameter 11, value box 00000.0: value text 0000.0, checksum 738.
const QString F3 = wireText("<DC3>00101<US>11<US>0000.0<US>00738<ETX>");
const QString F4 = wireText("<DC4>05<DC2>00101<US>73<ETX>");
const QString P11 = QStringLiteral("11:分读号 ");
const QString P73 = QStringLiteral("73:读HBX所挂接仪表瞬时值");

// Sets the function (and, for DC4, the address 005) and sends.
void send(ProgramHarness& h, int function)
{
    ComTest& w = h.window();
    w.Combo5->setCurrentIndex(function);
    w.Combo6->setEditText(function == 3 ? QStringLiteral("005") : QStringLiteral("001"));
    w.Mnu开始->trigger();
}

QString shownIn(const TranscriptPane* pane)
{
    return pane->toPlainText();
}

QString asShown(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class tst_ReplyWiring : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void secondReplyStandsAboveTheFirst();
    void notificationsThatReadNothing_data();
    void notificationsThatReadNothing();
    void writeAnswerWithoutVerdictKeepsTheTimer();
    void timeoutEntries_data();
    void timeoutEntries();
    void timeoutAfterTheRealThreeSeconds();
    void replyAfterTheTimeoutStandsAboveIt();
    void lineFailureEndsInTheTimeoutAndTheNextStartReopens();
    void clearEmptiesModelAndPane();
};

void tst_ReplyWiring::replies_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QStringList>("chunks"); // received bytes, <STX>-named
    QTest::addColumn<QString>("transcript");

    QTest::newRow("read value in three chunks")
        << 0 << QStringList{"<STX>00101+01", "23.456", "789<ETB>"}
        << QStringLiteral("▲△▲△ 读瞬时值   校验和:56789") + S + "\r\n发送:" + F1 +
               wireText(" → 接收:<STX>00101+0123.456789<ETB>");
    QTest::newRow("stray characters before the reply are dropped")
        << 0 << QStringList{"zz", "<STX>0010112345", "<ETB>"}
        << QStringLiteral("▲△▲△ 读瞬时值   校验和:12345") + S + "\r\n发送:" + F1 +
               wireText(" → 接收:<STX>0010112345<ETB>");
    QTest::newRow("read parameter")
        << 1 << QStringList{"<STX>00101<US>11<US>000312345<ETB>"}
        << QStringLiteral("△△△△ 读参数值(") + P11 + ")  " + S + "\r\n发送:" + F2 +
               wireText(" → 接收:<STX>00101<US>11<US>000312345<ETB>");
    QTest::newRow("write accepted") << 2 << QStringList{"<ACK>"}
                                    << QStringLiteral("▲▲▲▲ 写参数值(") + P11 + ")  " + S +
                                           "\r\n发送:" + F3 + QStringLiteral("→接收:ACK  √");
    QTest::newRow("write refused") << 2 << QStringList{"<NAK>"}
                                   << QStringLiteral("▲▲▲▲ 写参数值(") + P11 + ")  " + S +
                                          "\r\n发送:" + F3 + QStringLiteral("→接收:NAK  ×");
    QTest::newRow("write answered with both, NAK on top")
        << 2 << QStringList{"<ACK><NAK>"}
        << QStringLiteral("▲▲▲▲ 写参数值(") + P11 + ")  " + S + "\r\n发送:" + F3 +
               QStringLiteral("→接收:NAK  ×") + "\r\n\r\n" + QStringLiteral("▲▲▲▲ 写参数值(") +
               P11 + ")  " + S + "\r\n发送:" + F3 + QStringLiteral("→接收:ACK  √");
    QTest::newRow("HBX reply laid out at its separators")
        << 3 << QStringList{"<STX>05<RS>001+0012.3<RS>", "002+0045.6<RS>12345<ETB>"}
        << QStringLiteral("△△△△ (") + P73 + QStringLiteral(")  校验和:12345") + S +
               "\r\n发送:" + F4 + wireText(" → 接收:<STX>05<RS>\r\n001+0012.3<RS>002+0045.6<RS>");
}

void tst_ReplyWiring::replies()
{
    QFETCH(int, function);
    QFETCH(QStringList, chunks);
    QFETCH(QString, transcript);
    ProgramHarness h;
    ComTest& w = h.window();
    send(h, function);
    QVERIFY(w.Timer2->isActive());
    for (const QString& chunk : chunks)
        h.fake->deliver(onWire(chunk));

    QCOMPARE(w.transcript().text(), transcript);
    QCOMPARE(shownIn(w.REC1), asShown(transcript));
    QVERIFY(!w.Timer2->isActive());
    QCOMPARE(h.fake->calls().count(QStringLiteral("read")), chunks.size());
}

void tst_ReplyWiring::secondReplyStandsAboveTheFirst()
{
    ProgramHarness h;
    ComTest& w = h.window();
    send(h, 0);
    h.fake->deliver(onWire("<STX>0010111111<ETB>"));
    h.now = QDateTime(QDate(2026, 12, 7), QTime(6, 4, 0));
    send(h, 0);
    h.fake->deliver(onWire("<STX>0010122222<ETB>"));

    const QString first = QStringLiteral("▲△▲△ 读瞬时值   校验和:11111") + S + "\r\n发送:" + F1 +
                          wireText(" → 接收:<STX>0010111111<ETB>");
    const QString second = QStringLiteral("▲△▲△ 读瞬时值   校验和:22222 ◆◆  测试时间:2026-12-7 "
                                          "6:04:00\r\n发送:") +
                           F1 + wireText(" →接收:<STX>0010122222<ETB>");
    QCOMPARE(w.transcript().text(), second + "\r\n\r\n" + first);
    QCOMPARE(shownIn(w.REC1), asShown(second + "\r\n\r\n" + first));
}

void tst_ReplyWiring::notificationsThatReadNothing_data()
{
    QTest::addColumn<bool>("sendFirst");
    QTest::addColumn<int>("eventCode");
    QTest::newRow("no command sent yet") << false << 2;
    QTest::newRow("event code 1") << true << 1;
    QTest::newRow("event code 3") << true << 3;
}

void tst_ReplyWiring::notificationsThatReadNothing()
{
    QFETCH(bool, sendFirst);
    QFETCH(int, eventCode);
    ProgramHarness h;
    ComTest& w = h.window();
    if (sendFirst)
        send(h, 0);
    h.fake->deliver(onWire("<STX>0010112345<ETB>"), eventCode);
    QVERIFY(!h.fake->calls().contains(QStringLiteral("read")));
    QVERIFY(w.transcript().isEmpty());
    QCOMPARE(w.Timer2->isActive(), sendFirst);
}

void tst_ReplyWiring::writeAnswerWithoutVerdictKeepsTheTimer()
{
    ProgramHarness h;
    ComTest& w = h.window();
    send(h, 2);
    h.fake->deliver("xyz");
    QVERIFY(w.transcript().isEmpty());
    QVERIFY(w.Timer2->isActive());
    QCOMPARE(h.vars().RecvBuf, QString());
}

void tst_ReplyWiring::timeoutEntries_data()
{
    QTest::addColumn<int>("sentWith");
    QTest::addColumn<int>("atTick");
    QTest::addColumn<QString>("entry");

    const QString late = QStringLiteral("串口超时错误!!!");
    QTest::newRow("read value") << 0 << 0
                                << QStringLiteral("▲△▲△ 读瞬时值   ") + S + "\r\n发送:" + F1 +
                                       " → 接收:" + late;
    QTest::newRow("read parameter") << 1 << 1
                                    << QStringLiteral("△△△△ 读参数值(") + P11 + ")  " + S +
                                           "\r\n发送:" + F2 + " → 接收:" + late;
    QTest::newRow("write parameter")
        << 2 << 2
        << QStringLiteral("▲▲▲▲ 读参数值(") + P11 + ")  " + S + "\r\n发送:" + F3 + "→接收:" + late;
    QTest::newRow("HBX request") << 3 << 3
                                 << QStringLiteral("△△△△ (") + P73 + ")  " + S + "\r\n发送:" + F4 +
                                        " → 接收:" + late;
    QTest::newRow("read value, switched to read parameter before the tick")
        << 0 << 1
        << QStringLiteral("△△△△ 读参数值(") + P11 + ")  " + S + "\r\n发送:" + F1 +
               " → 接收:" + late;
    QTest::newRow("read parameter, switched to write before the tick")
        << 1 << 2
        << QStringLiteral("▲▲▲▲ 读参数值(") + P11 + ")  " + S + "\r\n发送:" + F2 + "→接收:" + late;
}

void tst_ReplyWiring::timeoutEntries()
{
    QFETCH(int, sentWith);
    QFETCH(int, atTick);
    QFETCH(QString, entry);
    ProgramHarness h;
    ComTest& w = h.window();
    w.Timer2->setInterval(50); // the wiring only; the real interval has its own test
    send(h, sentWith);
    w.Combo5->setCurrentIndex(atTick);

    QTRY_VERIFY(!w.Timer2->isActive());
    QCOMPARE(w.transcript().text(), entry);
    QCOMPARE(shownIn(w.REC1), asShown(entry));
    QTest::qWait(200);
    QCOMPARE(w.transcript().entryCount(), 1);
    // A partial reply or the port are not touched by the tick.
    QVERIFY(h.fake->isOpen());
}

void tst_ReplyWiring::timeoutAfterTheRealThreeSeconds()
{
    ProgramHarness h;
    ComTest& w = h.window();
    QElapsedTimer clock;
    send(h, 1);
    clock.start();
    QCOMPARE(w.Timer2->interval(), 3000);
    h.fake->deliver(onWire("<STX>00101")); // a reply that never completes

    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 10000);
    QVERIFY2(clock.elapsed() >= 2990, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!w.Timer2->isActive());
    QTest::qWait(3500);
    QCOMPARE(w.transcript().entryCount(), 1);
    QCOMPARE(w.transcript().text(), QStringLiteral("△△△△ 读参数值(") + P11 + ")  " + S +
                                        "\r\n发送:" + F2 +
                                        QStringLiteral(" → 接收:串口超时错误!!!"));
    QCOMPARE(h.vars().RecvBuf, wireText("<STX>00101"));
}

void tst_ReplyWiring::replyAfterTheTimeoutStandsAboveIt()
{
    ProgramHarness h;
    ComTest& w = h.window();
    w.Timer2->setInterval(20);
    send(h, 0);
    QTRY_COMPARE(w.transcript().entryCount(), 1);
    h.fake->deliver(onWire("<STX>0010154321<ETB>"));
    QCOMPARE(w.transcript().entryCount(), 2);
    QVERIFY(w.transcript().text().startsWith(QStringLiteral("▲△▲△ 读瞬时值   校验和:54321") + S +
                                             "\r\n发送:" + F1 + wireText(" →接收:<STX>")));
    QVERIFY(w.transcript().text().endsWith(QStringLiteral(" → 接收:串口超时错误!!!")));
}

void tst_ReplyWiring::lineFailureEndsInTheTimeoutAndTheNextStartReopens()
{
    ProgramHarness h;
    ComTest& w = h.window();
    w.Timer2->setInterval(50);
    send(h, 0);
    h.fake->fail(QStringLiteral("/dev/pts/9: Input/output error"));
    QVERIFY(!h.fake->isOpen());
    QVERIFY(w.Timer2->isActive());
    QVERIFY(h.boxes.requests.isEmpty());

    QTRY_COMPARE(w.transcript().entryCount(), 1);
    QVERIFY(w.transcript().text().endsWith(QStringLiteral(" → 接收:串口超时错误!!!")));

    h.fake->forgetCalls();
    w.Mnu开始->trigger();
    QCOMPARE(h.fake->calls(), (QStringList{"open 1 9600,n,8,2", "clear", "write <DC1>00101<ETX>"}));
    QVERIFY(h.fake->isOpen());
    h.fake->deliver(onWire("<STX>0010112345<ETB>"));
    QCOMPARE(w.transcript().entryCount(), 2);
}

void tst_ReplyWiring::clearEmptiesModelAndPane()
{
    ProgramHarness h;
    ComTest& w = h.window();
    send(h, 0);
    h.fake->deliver(onWire("<STX>0010111111<ETB>"));
    send(h, 0);
    QVERIFY(!w.transcript().isEmpty());
    const ModuleVars before = h.vars();
    const QStringList calls = h.fake->calls();

    QTest::mouseClick(w.menuBar(), Qt::LeftButton, {},
                      w.menuBar()->actionGeometry(w.MnuClr).center());

    QVERIFY(w.transcript().isEmpty());
    QCOMPARE(w.transcript().text(), QString());
    QCOMPARE(shownIn(w.REC1), QString());
    QVERIFY(w.Timer2->isActive()); // the pending command keeps waiting
    QCOMPARE(h.fake->calls(), calls);
    QCOMPARE(h.vars().SentFrame, before.SentFrame);
    QCOMPARE(h.vars().RecvBuf, before.RecvBuf);

    // The first entry after Clear stands alone and uses the spaced arrow.
    h.fake->deliver(onWire("<STX>0010122222<ETB>"));
    const QString entry = QStringLiteral("▲△▲△ 读瞬时值   校验和:22222") + S + "\r\n发送:" + F1 +
                          wireText(" → 接收:<STX>0010122222<ETB>");
    QCOMPARE(w.transcript().text(), entry);
    QCOMPARE(shownIn(w.REC1), asShown(entry));

    // Clear on an empty pane changes nothing.
    w.MnuClr->trigger();
    w.MnuClr->trigger();
    QVERIFY(w.transcript().isEmpty());
    QCOMPARE(shownIn(w.REC1), QString());
}

LINKBENCH_TEST_MAIN(tst_ReplyWiring)
#include "tst_ReplyWiring.moc"
