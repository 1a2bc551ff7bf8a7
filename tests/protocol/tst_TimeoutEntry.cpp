#include "TestMain.h"
#include "WireText.h"
#include "protocol/ModuleVars.h"
#include "protocol/TimeoutEntry.h"
#include "transcript/Transcript.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The entry the reply timer writes when no complete answer came in time, by the
// function selected at the tick.
class tst_TimeoutEntry : public QObject
{
    Q_OBJECT

private slots:
    void entry_data();
    void entry();
    void entryAboveOlderText();
};

namespace {

const QString kStamp = u" ◆◆  测试时间:2026-12-7 6:03:46"_s;
const QString kReadParamFrame = wireText("<DC2>00101<US>11<ETX>");

} // namespace

void tst_TimeoutEntry::entry_data()
{
    QTest::addColumn<int>("functionIndex");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("text"); // empty: no entry

    QTest::newRow("read process value")
        << 0 << QString()
        << u"▲△▲△ 读瞬时值    ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s + kReadParamFrame +
               u" → 接收:串口超时错误!!!"_s;
    QTest::newRow("read parameter 11 with its trailing space")
        << 1 << u"11:分读号 "_s
        << u"△△△△ 读参数值(11:分读号 )   ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadParamFrame + u" → 接收:串口超时错误!!!"_s;
    QTest::newRow("write parameter: write marker, read words, tight arrow")
        << 2 << u"12:量程零点"_s
        << u"▲▲▲▲ 读参数值(12:量程零点)   ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadParamFrame + u"→接收:串口超时错误!!!"_s;
    QTest::newRow("concentrator request is reported too")
        << 3 << u"73:读HBX所挂接仪表瞬时值"_s
        << u"△△△△ (73:读HBX所挂接仪表瞬时值)   ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:"_s +
               kReadParamFrame + u" → 接收:串口超时错误!!!"_s;
    QTest::newRow("nothing selected") << -1 << u"11:分读号 "_s << QString();
    QTest::newRow("index past the list") << 4 << u"11:分读号 "_s << QString();
}

void tst_TimeoutEntry::entry()
{
    QFETCH(int, functionIndex);
    QFETCH(QString, parameter);
    QFETCH(QString, text);

    ModuleVars vars;
    vars.SentFrame = kReadParamFrame;
    vars.StampText = kStamp;
    const std::optional<TranscriptEntry> entry = timeoutEntry(vars, functionIndex, parameter);
    QCOMPARE(entry.has_value(), !text.isEmpty());
    if (entry)
        QCOMPARE(*entry, TranscriptEntry{text}); // the usual empty line to older text
}

void tst_TimeoutEntry::entryAboveOlderText()
{
    ModuleVars vars;
    vars.SentFrame = kReadParamFrame;
    vars.StampText = kStamp;
    Transcript transcript;
    const QString first = timeoutEntry(vars, 1, u"11:分读号 "_s)->text;
    transcript.insert(first, u"\r\n\r\n"_s);
    QCOMPARE(transcript.text(), first); // no line end after it in an empty transcript

    const QString second = timeoutEntry(vars, 0, QString())->text;
    transcript.insert(second, u"\r\n\r\n"_s);
    QCOMPARE(transcript.text(), second + u"\r\n\r\n"_s + first);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_TimeoutEntry)
#include "tst_TimeoutEntry.moc"
