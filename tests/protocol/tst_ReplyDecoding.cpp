#include "TestMain.h"
#include "WireText.h"
#include "protocol/ModuleVars.h"
#include "protocol/ReplyDecoding.h"
#include "transcript/Transcript.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The transcript entries built from a complete reply: the layout chosen by the
// function selection, the check field, the concentrator layout and the arrow
// that depends on whether the transcript was empty.
class tst_ReplyDecoding : public QObject
{
    Q_OBJECT

private slots:
    void entry_data();
    void entry();
    void concentratorLayout_data();
    void concentratorLayout();
    void twoRepliesIntoEmptyTranscript();
    void singleLineEntryAboveOlderText();
};

namespace {

const QString kStamp = u" ◆◆  测试时间:2026-12-7 6:03:46"_s;
const QString kReadValueFrame = wireText("<DC1>00101<ETX>");
const QString kReadParamFrame = wireText("<DC2>00101<US>11<ETX>");
const QString kHbxFrame = wireText("<DC4>05<DC2>00101<US>73<ETX>");
// A read reply whose check field is 1A2B3.
const QString kReply = wireText("<STX>0010112.31A2B3<ETB>");

} // namespace

void tst_ReplyDecoding::entry_data()
{
    QTest::addColumn<int>("functionIndex");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("sentFrame");
    QTest::addColumn<QString>("recvBuf");
    QTest::addColumn<bool>("transcriptEmpty");
    QTest::addColumn<bool>("hasEntry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("workOut");
    QTest::addColumn<QString>("recvBufAfter");

    const QString two = u"\r\n\r\n"_s;
    const QString hbx = u"73:读HBX所挂接仪表瞬时值"_s;

    QTest::newRow("read process value into an empty transcript")
        << 0 << QString() << kReadValueFrame << kReply << true << true
        << u"▲△▲△ 读瞬时值   校验和:1A2B3 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadValueFrame + u" → 接收:"_s + kReply
        << two << u"校验和:1A2B3"_s << kReply;
    QTest::newRow("read process value above older text")
        << 0 << QString() << kReadValueFrame << kReply << false << true
        << u"▲△▲△ 读瞬时值   校验和:1A2B3 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadValueFrame + u" →接收:"_s + kReply
        << two << u"校验和:1A2B3"_s << kReply;
    QTest::newRow("five-character reply is the whole check field")
        << 0 << QString() << kReadValueFrame << u"ABCDE"_s << true << true
        << u"▲△▲△ 读瞬时值   校验和:ABCDE ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadValueFrame + u" → 接收:ABCDE"_s
        << two << u"校验和:ABCDE"_s << u"ABCDE"_s;
    QTest::newRow("six-character reply drops its last character")
        << 0 << QString() << kReadValueFrame << u"ABCDEF"_s << true << true
        << u"▲△▲△ 读瞬时值   校验和:ABCDE ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadValueFrame + u" → 接收:ABCDEF"_s
        << two << u"校验和:ABCDE"_s << u"ABCDEF"_s;
    QTest::newRow("two-character reply")
        << 0 << QString() << kReadValueFrame << u"AB"_s << false << true
        << u"▲△▲△ 读瞬时值   校验和:AB ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadValueFrame + u" →接收:AB"_s
        << two << u"校验和:AB"_s << u"AB"_s;
    QTest::newRow("read parameter, stamp right after the parenthesis")
        << 1 << u"11:分读号 "_s << kReadParamFrame << kReply << true << true
        << u"△△△△ 读参数值(11:分读号 )   ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadParamFrame + u" → 接收:"_s + kReply
        << two << QString() << kReply;
    QTest::newRow("read parameter above older text")
        << 1 << u"03:DA1值    "_s << kReadParamFrame << kReply << false << true
        << u"△△△△ 读参数值(03:DA1值    )   ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadParamFrame + u" →接收:"_s + kReply
        << two << QString() << kReply;
    QTest::newRow("switched to write parameter: one line, stamp at both ends")
        << 2 << u"11:分读号 "_s << kReadParamFrame << kReply << false << true
        << u" ◆◆  测试时间:2026-12-7 6:03:46  ▲▲▲▲ 读参数值(11:分读号 )→接收: ◆◆  测试时间:2026-12-7 6:03:46"_s
        << u"\r\n"_s << QString() << kReply;
    QTest::newRow("switched to write parameter, empty transcript")
        << 2 << u"01:功能码   "_s << kReadParamFrame << kReply << true << true
        << u" ◆◆  测试时间:2026-12-7 6:03:46  ▲▲▲▲ 读参数值(01:功能码   )→接收: ◆◆  测试时间:2026-12-7 6:03:46"_s
        << u"\r\n"_s << QString() << kReply;
    const QString threeRs = wireText("<STX>H01<RS>F1<RS>F2<RS>12345<ETB>");
    const QString threeRsLaidOut = wireText("<STX>H01<RS>\r\nF1<RS>F2<RS>");
    QTest::newRow("concentrator reply with three RS")
        << 3 << hbx << kHbxFrame << threeRs << true << true
        << u"△△△△ (73:读HBX所挂接仪表瞬时值)  校验和:12345 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kHbxFrame + u" → 接收:"_s + threeRsLaidOut
        << two << u"校验和:12345"_s << threeRsLaidOut;
    QTest::newRow("concentrator reply with three RS above older text")
        << 3 << hbx << kHbxFrame << threeRs << false << true
        << u"△△△△ (73:读HBX所挂接仪表瞬时值)  校验和:12345 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kHbxFrame + u" →接收:"_s + threeRsLaidOut
        << two << u"校验和:12345"_s << threeRsLaidOut;
    const QString oneRs = wireText("<STX>H01<RS>12345<ETB>");
    QTest::newRow("concentrator reply with one RS")
        << 3 << hbx << kHbxFrame << oneRs << true << true
        << u"△△△△ (73:读HBX所挂接仪表瞬时值)  校验和:12345 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kHbxFrame + wireText(" → 接收:<STX>H01<RS>\r\n")
        << two << u"校验和:12345"_s << wireText("<STX>H01<RS>\r\n");
    QTest::newRow("concentrator reply without RS shows a lone line end")
        << 3 << hbx << kHbxFrame << wireText("<STX>H0112345<ETB>") << true << true
        << u"△△△△ (73:读HBX所挂接仪表瞬时值)  校验和:12345 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kHbxFrame + u" → 接收:\r\n"_s
        << two << u"校验和:12345"_s << u"\r\n"_s;
    QTest::newRow("nothing selected: no entry")
        << -1 << QString() << kReadValueFrame << kReply << true << false << QString() << QString()
        << QString() << kReply;
    QTest::newRow("index past the list: no entry")
        << 4 << QString() << kReadValueFrame << kReply << false << false << QString() << QString()
        << QString() << kReply;
}

void tst_ReplyDecoding::entry()
{
    QFETCH(int, functionIndex);
    QFETCH(QString, parameter);
    QFETCH(QString, sentFrame);
    QFETCH(QString, recvBuf);
    QFETCH(bool, transcriptEmpty);
    QFETCH(bool, hasEntry);
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QString, workOut);
    QFETCH(QString, recvBufAfter);

    ModuleVars vars;
    vars.SentFrame = sentFrame;
    vars.StampText = kStamp;
    vars.RecvBuf = recvBuf;
    vars.WorkOut = u"校验和:old"_s; // every decode starts by emptying it
    const std::optional<TranscriptEntry> entry =
        JieXi(vars, functionIndex, parameter, transcriptEmpty);

    QCOMPARE(entry.has_value(), hasEntry);
    if (hasEntry) {
        QCOMPARE(entry->text, text);
        QCOMPARE(entry->separator, separator);
    }
    QCOMPARE(vars.WorkOut, workOut);
    QCOMPARE(vars.RecvBuf, recvBufAfter);
    QCOMPARE(vars.SentFrame, sentFrame);
}

void tst_ReplyDecoding::concentratorLayout_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("laidOut");

    QTest::newRow("header and two fields")
        << wireText("<STX>h<RS>f1<RS>f2<RS>t<ETB>") << wireText("<STX>h<RS>\r\nf1<RS>f2<RS>");
    QTest::newRow("header only") << wireText("<STX>h<RS>t<ETB>") << wireText("<STX>h<RS>\r\n");
    QTest::newRow("no RS") << wireText("<STX>ht<ETB>") << u"\r\n"_s;
    QTest::newRow("empty fields") << wireText("<RS><RS><RS>") << wireText("<RS>\r\n<RS><RS>");
    QTest::newRow("ends with RS") << wireText("h<RS>f<RS>") << wireText("h<RS>\r\nf<RS>");
    QTest::newRow("empty reply") << QString() << u"\r\n"_s;
}

void tst_ReplyDecoding::concentratorLayout()
{
    QFETCH(QString, reply);
    QFETCH(QString, laidOut);
    ModuleVars vars;
    vars.RecvBuf = reply;
    layOutHbxReply(vars);
    QCOMPARE(vars.RecvBuf, laidOut);
}

void tst_ReplyDecoding::twoRepliesIntoEmptyTranscript()
{
    ModuleVars vars;
    vars.SentFrame = kReadValueFrame;
    vars.StampText = kStamp;
    vars.RecvBuf = kReply;
    Transcript transcript;
    for (int i = 0; i < 2; ++i) {
        const std::optional<TranscriptEntry> entry =
            JieXi(vars, 0, QString(), transcript.isEmpty());
        QVERIFY(entry);
        transcript.insert(entry->text, entry->separator);
    }

    const QString header =
        u"▲△▲△ 读瞬时值   校验和:1A2B3 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s;
    const QString first = header + kReadValueFrame + u" → 接收:"_s + kReply;
    const QString second = header + kReadValueFrame + u" →接收:"_s + kReply;
    QCOMPARE(transcript.text(), second + u"\r\n\r\n"_s + first);
}

void tst_ReplyDecoding::singleLineEntryAboveOlderText()
{
    ModuleVars vars;
    vars.SentFrame = kReadParamFrame;
    vars.StampText = kStamp;
    vars.RecvBuf = kReply;
    Transcript transcript;
    const QString older = u"older entry\r\nsecond line"_s;
    transcript.insert(older, u"\r\n\r\n"_s);

    const std::optional<TranscriptEntry> entry =
        JieXi(vars, 2, u"11:分读号 "_s, transcript.isEmpty());
    QVERIFY(entry);
    transcript.insert(entry->text, entry->separator);

    QCOMPARE(
        transcript.text(),
        u" ◆◆  测试时间:2026-12-7 6:03:46  ▲▲▲▲ 读参数值(11:分读号 )→接收: ◆◆  测试时间:2026-12-7 6:03:46"_s +
            u"\r\n"_s + older);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_ReplyDecoding)
#include "tst_ReplyDecoding.moc"
