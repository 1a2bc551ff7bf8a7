#include "TestMain.h"
#include "WireText.h"
#include "protocol/ModuleVars.h"
#include "protocol/ReplyDecoding.h"
#include "protocol/ReplyReception.h"
#include "transcript/Transcript.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Gathering of the answer chunk by chunk: when a framed reply is complete, what
// a write's acknowledgement yields, and which notifications are read at all.
class tst_ReplyReception : public QObject
{
    Q_OBJECT

private slots:
    void notificationRead_data();
    void notificationRead();
    void chunks_data();
    void chunks();
    void acknowledgementEntry_data();
    void acknowledgementEntry();
    void ackAndNakInOneChunk();
};

namespace {

const QString kStamp = u" ◆◆  测试时间:2026-12-7 6:03:46"_s;
// The write command of the 23-byte example: parameter 12, value 0100.0.
const QString kWriteFrame = wireText("<DC3>00101<US>12<US>0100.0<US>00740<ETX>");

// What the window is told to do after a chunk, as one readable text.
QString describe(const reception::Outcome& outcome)
{
    QStringList parts;
    if (outcome.decode)
        parts << u"decode"_s;
    for (const reception::Verdict verdict : outcome.verdicts)
        parts << (verdict == reception::Verdict::Ack ? u"ACK"_s : u"NAK"_s);
    if (outcome.timerOff)
        parts << u"timer off"_s;
    return parts.join(u", "_s);
}

} // namespace

void tst_ReplyReception::notificationRead_data()
{
    QTest::addColumn<QString>("funcCode");
    QTest::addColumn<int>("eventCode");
    QTest::addColumn<bool>("read");

    QTest::newRow("before the first command") << QString() << 2 << false;
    QTest::newRow("read process value") << wireText("<DC1>") << 2 << true;
    QTest::newRow("read parameter") << wireText("<DC2>") << 2 << true;
    QTest::newRow("write parameter") << wireText("<DC3>") << 2 << true;
    QTest::newRow("concentrator request") << wireText("<DC4>") << 2 << true;
    QTest::newRow("event code 1") << wireText("<DC1>") << 1 << false;
    QTest::newRow("event code 0") << wireText("<DC2>") << 0 << false;
    QTest::newRow("event code 3") << wireText("<DC3>") << 3 << false;
    QTest::newRow("line error event") << wireText("<DC4>") << 1009 << false;
    QTest::newRow("function code of no command") << wireText("<STX>") << 2 << false;
    QTest::newRow("printable function code") << u"1"_s << 2 << false;
}

void tst_ReplyReception::notificationRead()
{
    QFETCH(QString, funcCode);
    QFETCH(int, eventCode);
    QFETCH(bool, read);

    ModuleVars vars;
    vars.FuncCode = funcCode;
    QCOMPARE(reception::wantsChunk(vars, eventCode), read);
}

void tst_ReplyReception::chunks_data()
{
    QTest::addColumn<QString>("funcCode");
    QTest::addColumn<QString>("previousRecvBuf");
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<QStringList>("outcomes"); // one per chunk
    QTest::addColumn<QString>("recvBuf");      // after the last chunk

    const QString done = u"decode, timer off"_s;
    const QString reply = wireText("<STX>0010112.31A2B3<ETB>");

    QTest::newRow("read process value, reply in three chunks")
        << wireText("<DC1>") << QString()
        << QStringList{wireText("<STX>00101"), u"12.3"_s, wireText("1A2B3<ETB>")}
        << QStringList{QString(), QString(), done} << reply;
    QTest::newRow("read parameter, reply in three chunks")
        << wireText("<DC2>") << u"old"_s
        << QStringList{wireText("<STX>00101"), u"12.3"_s, wireText("1A2B3<ETB>")}
        << QStringList{QString(), QString(), done} << reply;
    QTest::newRow("concentrator, reply in three chunks")
        << wireText("<DC4>") << QString()
        << QStringList{wireText("<STX>00101"), u"12.3"_s, wireText("1A2B3<ETB>")}
        << QStringList{QString(), QString(), done} << reply;
    QTest::newRow("one character per notification")
        << wireText("<DC1>") << QString()
        << QStringList{wireText("<STX>"), u"7"_s, wireText("<ETB>")}
        << QStringList{QString(), QString(), done} << wireText("<STX>7<ETB>");
    QTest::newRow("stray chunk, then a chunk with STX")
        << wireText("<DC1>") << QString() << QStringList{u"xy"_s, reply}
        << QStringList{QString(), done} << reply;
    QTest::newRow("stray characters, STX, data and ETB in one chunk")
        << wireText("<DC2>") << u"old"_s << QStringList{u"xy"_s + reply} << QStringList{done}
        << u"xy"_s + reply;
    QTest::newRow("characters after ETB in the same chunk are kept")
        << wireText("<DC1>") << QString() << QStringList{reply + u"zz"_s} << QStringList{done}
        << reply + u"zz"_s;
    QTest::newRow("reply without STX appended to the previous one")
        << wireText("<DC1>") << reply << QStringList{wireText("9<ETB>")} << QStringList{done}
        << reply + wireText("9<ETB>");
    QTest::newRow("second chunk with ETB decodes again")
        << wireText("<DC1>") << QString() << QStringList{reply, wireText("more<ETB>")}
        << QStringList{done, done} << reply + wireText("more<ETB>");
    QTest::newRow("chunk after a complete reply is only appended")
        << wireText("<DC4>") << QString() << QStringList{reply, u"tail"_s}
        << QStringList{done, QString()} << reply + u"tail"_s;
    QTest::newRow("STX in a later chunk starts the reply again")
        << wireText("<DC2>") << QString()
        << QStringList{wireText("<STX>ab"), wireText("<STX>cd"), wireText("<ETB>")}
        << QStringList{QString(), QString(), done} << wireText("<STX>cd<ETB>");
    QTest::newRow("reply that never ends")
        << wireText("<DC1>") << QString() << QStringList{wireText("<STX>abc")}
        << QStringList{QString()} << wireText("<STX>abc");
    QTest::newRow("ETB only in what was gathered before is not looked at")
        << wireText("<DC1>") << reply << QStringList{u"x"_s} << QStringList{QString()}
        << reply + u"x"_s;
    QTest::newRow("write acknowledged")
        << wireText("<DC3>") << reply << QStringList{wireText("<ACK>")}
        << QStringList{u"ACK, timer off"_s} << QString();
    QTest::newRow("write refused")
        << wireText("<DC3>") << QString() << QStringList{wireText("<NAK>")}
        << QStringList{u"NAK, timer off"_s} << QString();
    QTest::newRow("ACK and NAK in one chunk")
        << wireText("<DC3>") << QString() << QStringList{wireText("a<ACK><NAK>")}
        << QStringList{u"ACK, NAK, timer off"_s} << QString();
    QTest::newRow("NAK before ACK in one chunk")
        << wireText("<DC3>") << QString() << QStringList{wireText("<NAK><ACK>")}
        << QStringList{u"ACK, NAK, timer off"_s} << QString();
    QTest::newRow("write answer with neither ACK nor NAK")
        << wireText("<DC3>") << u"old"_s << QStringList{u"xyz"_s} << QStringList{QString()}
        << QString();
    QTest::newRow("framed reply to a write is dropped")
        << wireText("<DC3>") << QString() << QStringList{reply} << QStringList{QString()}
        << QString();
    QTest::newRow("write acknowledged in a later chunk")
        << wireText("<DC3>") << QString() << QStringList{u"x"_s, wireText("<ACK>")}
        << QStringList{QString(), u"ACK, timer off"_s} << QString();
}

void tst_ReplyReception::chunks()
{
    QFETCH(QString, funcCode);
    QFETCH(QString, previousRecvBuf);
    QFETCH(QStringList, chunks);
    QFETCH(QStringList, outcomes);
    QFETCH(QString, recvBuf);

    ModuleVars vars;
    vars.FuncCode = funcCode;
    vars.RecvBuf = previousRecvBuf;
    QStringList actual;
    for (const QString& chunk : chunks) {
        QVERIFY(reception::wantsChunk(vars, 2));
        actual << describe(reception::takeChunk(vars, chunk));
    }
    QCOMPARE(actual, outcomes);
    QCOMPARE(vars.RecvBuf, recvBuf);
}

void tst_ReplyReception::acknowledgementEntry_data()
{
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("entry");

    QTest::newRow("accepted") << u"12:量程零点"_s << true
                              << u"▲▲▲▲ 写参数值(12:量程零点)   ◆◆  测试时间:2026-12-7 6:03:46"_s +
                                     u"\r\n发送:"_s + kWriteFrame + u"→接收:ACK  √"_s;
    QTest::newRow("refused") << u"12:量程零点"_s << false
                             << u"▲▲▲▲ 写参数值(12:量程零点)   ◆◆  测试时间:2026-12-7 6:03:46"_s +
                                    u"\r\n发送:"_s + kWriteFrame + u"→接收:NAK  ×"_s;
    QTest::newRow("trailing spaces of the entry kept")
        << u"01:功能码   "_s << true
        << u"▲▲▲▲ 写参数值(01:功能码   )   ◆◆  测试时间:2026-12-7 6:03:46"_s + u"\r\n发送:"_s +
               kWriteFrame + u"→接收:ACK  √"_s;
}

void tst_ReplyReception::acknowledgementEntry()
{
    QFETCH(QString, parameter);
    QFETCH(bool, accepted);
    QFETCH(QString, entry);

    ModuleVars vars;
    vars.SentFrame = kWriteFrame;
    vars.StampText = kStamp;
    const auto verdict = accepted ? reception::Verdict::Ack : reception::Verdict::Nak;
    QCOMPARE(::acknowledgementEntry(vars, parameter, verdict), TranscriptEntry{entry});
}

void tst_ReplyReception::ackAndNakInOneChunk()
{
    ModuleVars vars;
    vars.FuncCode = wireText("<DC3>");
    vars.SentFrame = kWriteFrame;
    vars.StampText = kStamp;
    Transcript transcript;
    const reception::Outcome outcome = reception::takeChunk(vars, wireText("<ACK><NAK>"));
    for (const reception::Verdict verdict : outcome.verdicts)
        transcript.insert(::acknowledgementEntry(vars, u"12:量程零点"_s, verdict)->text,
                          u"\r\n\r\n"_s);

    // Written second, the wireText("<NAK>") entry stands above the wireText("<ACK>") entry.
    const QString header =
        u"▲▲▲▲ 写参数值(12:量程零点)   ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s;
    QCOMPARE(transcript.text(), header + kWriteFrame + u"→接收:NAK  ×"_s + u"\r\n\r\n"_s + header +
                                    kWriteFrame + u"→接收:ACK  √"_s);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_ReplyReception)
#include "tst_ReplyReception.moc"
