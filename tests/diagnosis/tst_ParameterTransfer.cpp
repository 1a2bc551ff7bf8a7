// The parameter transfer against a scripted instrument: what a retry mends,
// what a lost ACK or a read-back that disagrees makes of a write, and what the
// line carried, exchange for exchange.

#include "FakeSerialLine.h"
#include "TestMain.h"
#include "WireText.h"
#include "diagnosis/ParameterComparison.h"
#include "wire/WireText.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace diagnosis;

namespace {

// The n-th command gets the n-th entry, from the event loop; "" is silence.
class ScriptedLine : public FakeSerialLine
{
public:
    explicit ScriptedLine(const QStringList& script) : m_script(script) {}

    void write(const QByteArray& bytes) override
    {
        FakeSerialLine::write(bytes);
        const QString reply = m_script.value(writes().size() - 1);
        if (!reply.isEmpty())
            QTimer::singleShot(0, this, [this, reply] { deliver(onWire(reply)); });
    }

private:
    QStringList m_script;
};

const QString kRead12 = QStringLiteral("<STX>00101<US>12<US>0100.000692<ETB>");
const QString kRead12Old = QStringLiteral("<STX>00101<US>12<US>0000.000691<ETB>");
const QString kRead12Spoilt = QStringLiteral("<STX>00101<US>12<US>0100.000693<ETB>");

} // namespace

class tst_ParameterTransfer : public QObject
{
    Q_OBJECT

private slots:
    void transferred_data();
    void transferred();
};

void tst_ParameterTransfer::transferred_data()
{
    QTest::addColumn<bool>("writing");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("result"); // the value read, or what became of the write
    QTest::addColumn<int>("commands");

    QTest::newRow("read at once") << false << QStringList{kRead12} << "0100.0" << 1;
    QTest::newRow("time-out, then read")
        << false << QStringList{QString(), kRead12} << "0100.0" << 2;
    QTest::newRow("bad check field, then read")
        << false << QStringList{kRead12Spoilt, kRead12} << "0100.0" << 2;
    QTest::newRow("silent to every try") << false << QStringList{{}, {}} << "" << 2;
    QTest::newRow("written and read back")
        << true << QStringList{"<ACK>", kRead12} << "已写入" << 2;
    QTest::newRow("ACK lost, the write carried out")
        << true << QStringList{QString(), kRead12} << "已写入" << 2;
    QTest::newRow("ACK lost, not carried out, the retry written")
        << true << QStringList{QString(), kRead12Old, "<ACK>", kRead12} << "已写入" << 4;
    QTest::newRow("refused") << true << QStringList{"<NAK>", kRead12Old} << "拒绝（NAK）" << 2;
    QTest::newRow("read back as another value")
        << true << QStringList{"<ACK>", kRead12Old} << "失败：回读值 0000.0 与写入值不符" << 2;
    QTest::newRow("acknowledged, the read-back never comes")
        << true << QStringList{"<ACK>", {}, {}} << "已写入，未回读" << 3;
}

void tst_ParameterTransfer::transferred()
{
    QFETCH(bool, writing);
    QFETCH(QStringList, script);
    QFETCH(QString, result);
    QFETCH(int, commands);

    auto* line = new ScriptedLine(script);
    ParameterTransfer transfer{std::unique_ptr<SerialLine>(line)};
    QSignalSpy finished(&transfer, &ParameterTransfer::finished);
    TransferPlan plan;
    plan.port = QStringLiteral("/dev/fake");
    plan.timeoutMs = 30;
    plan.retries = 1;
    ParameterWrite write;
    write.code = QStringLiteral("12");
    write.value = QStringLiteral("100.0");
    QVERIFY(writing ? transfer.startWriting(plan, {write}, nullptr)
                    : transfer.startReading(plan, {QStringLiteral("12")}, nullptr));
    QVERIFY(finished.wait(2000));
    QCOMPARE(finished.front().front().value<TransferEnd>(), TransferEnd::Completed);
    QCOMPARE(line->writes().size(), commands);
    if (writing) {
        QCOMPARE(writeStatusText(transfer.writes().front()), result);
        QCOMPARE(wire::namedBytes(line->writes().front()),
                 QStringLiteral("<DC3>00101<US>12<US>0100.0<US>00740<ETX>"));
    } else {
        QCOMPARE(QString::fromLatin1(transfer.readings().front().value.value_or("")), result);
    }
}

LINKBENCH_TEST_GUILESS_MAIN(tst_ParameterTransfer)
#include "tst_ParameterTransfer.moc"
