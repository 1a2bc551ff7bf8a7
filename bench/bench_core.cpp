#include "protocol/CommandFrames.h"
#include "protocol/ModuleVars.h"
#include "protocol/ReplyDecoding.h"
#include "transcript/Transcript.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

// Costs of the widget-free core: composing a frame, decoding a reply, and
// putting one entry on top of a transcript that is already long.
class bench_core : public QObject
{
    Q_OBJECT

private slots:
    void composeFrame_data();
    void composeFrame();
    void decodeReply_data();
    void decodeReply();
    void insertEntry_data();
    void insertEntry();
};

namespace {

const QString STX = QString(QChar(0x02));
const QString ETB = QString(QChar(0x17));
const QString RS = QString(QChar(0x1E));
const QString kStamp = u" ◆◆  测试时间:2026-12-7 6:03:46"_s;

// A typical two-line read entry, built afresh each time as a writer would.
QString typicalEntry(int serial)
{
    return u"△△△△ 读参数值(11:分读号 )  "_s + kStamp + u"\r\n发送:"_s + QChar(0x12) + u"00101"_s +
           QChar(0x1F) + u"11"_s + QChar(0x03) + u" →接收:"_s + STX + u"0010111"_s +
           QString::number(serial).rightJustified(6, u'0') + ETB;
}

Transcript transcriptOf(int entries)
{
    Transcript transcript;
    for (int i = 0; i < entries; ++i)
        transcript.insert(typicalEntry(i), u"\r\n\r\n"_s);
    return transcript;
}

} // namespace

void bench_core::composeFrame_data()
{
    QTest::addColumn<int>("functionIndex");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("valueBox");

    QTest::newRow("DC1") << 0 << QString() << u"00000.0"_s;
    QTest::newRow("DC2") << 1 << u"11:分读号 "_s << u"00000.0"_s;
    QTest::newRow("DC3") << 2 << u"12:量程零点"_s << u"-1.25"_s;
    QTest::newRow("DC4") << 3 << u"73:读HBX所挂接仪表瞬时值"_s << u"00000.0"_s;
}

void bench_core::composeFrame()
{
    QFETCH(int, functionIndex);
    QFETCH(QString, parameter);
    QFETCH(QString, valueBox);
    ModuleVars vars;
    const frames::Selection selection{functionIndex, u"120"_s, u"01"_s, parameter, valueBox};
    QBENCHMARK
    {
        frames::compose(vars, selection);
    }
    QVERIFY(!vars.SentFrame.isEmpty());
}

void bench_core::decodeReply_data()
{
    QTest::addColumn<int>("functionIndex");
    QTest::addColumn<QString>("reply");

    QTest::newRow("DC1 reply") << 0 << STX + u"0010112.3"_s + u"1A2B3"_s + ETB;
    QString hbx = STX + u"0501"_s + RS;
    for (int i = 1; i <= 32; ++i)
        hbx += QString::number(i).rightJustified(3, u'0') + u"+0012.3"_s + RS;
    QTest::newRow("HBX reply, 32 fields") << 3 << hbx + u"12345"_s + ETB;
}

void bench_core::decodeReply()
{
    QFETCH(int, functionIndex);
    QFETCH(QString, reply);
    ModuleVars vars;
    vars.SentFrame = QChar(0x11) + u"00101"_s + QChar(0x03);
    vars.StampText = kStamp;
    const QString parameter = u"73:读HBX所挂接仪表瞬时值"_s;
    qsizetype length = 0;
    QBENCHMARK
    {
        vars.RecvBuf = reply; // the concentrator layout rewrites it
        length += JieXi(vars, functionIndex, parameter, false)->text.size();
    }
    QVERIFY(length > 0);
}

void bench_core::insertEntry_data()
{
    QTest::addColumn<int>("size");

    QTest::newRow("1,000 entries") << 1000;
    QTest::newRow("10,000 entries") << 10000;
    QTest::newRow("100,000 entries") << 100000;
}

// QBENCHMARK would grow the transcript far beyond its nominal size while it
// calibrates, so this times batches of inserts on fresh transcripts of exactly
// the given size and reports the median per insert.
void bench_core::insertEntry()
{
    QFETCH(int, size);
    constexpr int kRounds = 30;
    constexpr int kBatch = 100;

    std::vector<QString> entries;
    for (int i = 0; i < kBatch; ++i)
        entries.push_back(typicalEntry(size + i));

    std::vector<double> perInsertNs;
    qint64 worstNs = 0;
    for (int round = 0; round < kRounds; ++round) {
        Transcript transcript = transcriptOf(size);
        QElapsedTimer batch;
        batch.start();
        for (const QString& entry : entries)
            transcript.insert(entry, u"\r\n\r\n"_s);
        perInsertNs.push_back(double(batch.nsecsElapsed()) / kBatch);

        // Each insert on its own, to see the worst single one near this size.
        for (const QString& entry : entries) {
            QElapsedTimer single;
            single.start();
            transcript.insert(entry, u"\r\n\r\n"_s);
            worstNs = std::max(worstNs, single.nsecsElapsed());
        }
        QCOMPARE(transcript.entryCount(), size + 2 * kBatch);
    }
    std::sort(perInsertNs.begin(), perInsertNs.end());
    const double median = perInsertNs[perInsertNs.size() / 2];

    // Growing from empty to this size, every reallocation included.
    QElapsedTimer growth;
    growth.start();
    Transcript grown;
    qint64 worstWhileGrowing = 0;
    for (int i = 0; i < size; ++i) {
        const qint64 before = growth.nsecsElapsed();
        grown.insert(entries[std::size_t(i % kBatch)], u"\r\n\r\n"_s);
        worstWhileGrowing = std::max(worstWhileGrowing, growth.nsecsElapsed() - before);
    }
    const double amortised = double(growth.nsecsElapsed()) / size;

    qInfo("insert at %d entries: median %.1f ns, worst near this size %lld ns, "
          "amortised from empty %.1f ns, worst while growing %lld ns",
          size, median, worstNs, amortised, worstWhileGrowing);
    QTest::setBenchmarkResult(median, QTest::WalltimeNanoseconds);
}

QTEST_APPLESS_MAIN(bench_core)
#include "bench_core.moc"
