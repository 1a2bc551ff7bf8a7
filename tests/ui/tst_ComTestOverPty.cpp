// The whole program path over a real pseudo-terminal: the window built by the
// start-up module, its real serial line with COM1 mapped to the pty's slave,
// and the test playing the instrument on the master. Selections are made and
// the Start command chosen with the keyboard and the mouse; what is checked is
// the exact bytes the instrument receives and the exact transcript text.

#include "ProgramHarness.h"
#include "PtyPair.h"
#include "TestMain.h"
#include "WireText.h"
#include "ui/TranscriptPane.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString S = QStringLiteral(" ◆◆  测试时间:2026-12-7 6:03:46");
const QString P11 = QStringLiteral("11:分读号 ");
const QString P12 = QStringLiteral("12:量程零点");
const QString P73 = QStringLiteral("73:读HBX所挂接仪表瞬时值");

const QString B1 = QStringLiteral("<DC1>00101<ETX>");
const QString B2 = QStringLiteral("<DC2>00101<US>11<ETX>");
// Parameter 12, value 100.0: value text 0100.0, checksum 740.
const QString B3 = QStringLiteral("<DC3>00101<US>12<US>0100.0<US>00740<ETX>");
// Address box 5, formatted 005 at Start: concentrator 05, parameter 73.
const QString B4 = QStringLiteral("<DC4>05<DC2>00101<US>73<ETX>");

// The pane shows each CR LF as one line break.
QString asShown(QString transcript)
{
    return transcript.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// What the operator does before choosing Start.
struct Operator
{
    int functionDowns = 0;  // Down presses on the function list, from "读PV(DC1)"
    int parameterDowns = 0; // Down presses on the parameter list after that
    QString value = {};     // typed into the value box when not empty
    QString address = {};   // typed into the address box when not empty
};

void act(ProgramHarness& p, const Operator& op)
{
    ComTest& w = p.window();
    for (int i = 0; i < op.functionDowns; ++i)
        QTest::keyClick(w.Combo5, Qt::Key_Down);
    for (int i = 0; i < op.parameterDowns; ++i)
        QTest::keyClick(w.Combo8, Qt::Key_Down);
    if (!op.value.isEmpty())
        ProgramHarness::typeInto(w.Combo9, op.value);
    if (!op.address.isEmpty())
        ProgramHarness::typeInto(w.Combo6, op.address);
}

} // namespace

Q_DECLARE_METATYPE(Operator)

class tst_ComTestOverPty : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exchanges_data();
    void exchanges();
    void silentInstrumentTimesOutOnceAfterThreeSeconds();
    void peerClosingMidExchange();

private:
    std::unique_ptr<PtyPair> m_instrument;
    std::unique_ptr<ProgramHarness> m_program;
};

void tst_ComTestOverPty::init()
{
    m_instrument = std::make_unique<PtyPair>();
    QVERIFY2(m_instrument->isValid(), qPrintable(m_instrument->errorText()));
    m_program = std::make_unique<ProgramHarness>(
        ProgramHarness::Setup{.device = m_instrument->slaveName()});
    QVERIFY(m_program->activated);
}

void tst_ComTestOverPty::cleanup()
{
    // No case here expects a message box: a port that opens and a line that
    // fails while open show none.
    const QStringList boxes = m_program ? m_program->boxes.texts() : QStringList();
    m_program.reset();
    m_instrument.reset();
    QCOMPARE(boxes, QStringList());
}

void tst_ComTestOverPty::exchanges_data()
{
    QTest::addColumn<Operator>("op");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QStringList>("reply");
    QTest::addColumn<QString>("transcript");

    QTest::newRow("read value, reply in one chunk")
        << Operator{} << B1 << QStringList{"<STX>00101+0123.412345<ETB>"}
        << QStringLiteral("▲△▲△ 读瞬时值   校验和:12345") + S + "<CR><LF>发送:" + B1 +
               QStringLiteral(" → 接收:<STX>00101+0123.412345<ETB>");
    QTest::newRow("read value, reply in three chunks")
        << Operator{} << B1 << QStringList{"<STX>001", "01+0123.4", "56789<ETB>"}
        << QStringLiteral("▲△▲△ 读瞬时值   校验和:56789") + S + "<CR><LF>发送:" + B1 +
               QStringLiteral(" → 接收:<STX>00101+0123.456789<ETB>");
    QTest::newRow("read parameter 11")
        << Operator{.functionDowns = 1} << B2 << QStringList{"<STX>00101<US>11<US>000312345<ETB>"}
        << QStringLiteral("△△△△ 读参数值(") + P11 + ")  " + S + "<CR><LF>发送:" + B2 +
               QStringLiteral(" → 接收:<STX>00101<US>11<US>000312345<ETB>");
    QTest::newRow("write parameter 12, accepted")
        << Operator{.functionDowns = 2, .parameterDowns = 1, .value = QStringLiteral("100.0")} << B3
        << QStringList{"<ACK>"}
        << QStringLiteral("▲▲▲▲ 写参数值(") + P12 + ")  " + S + "<CR><LF>发送:" + B3 +
               QStringLiteral("→接收:ACK  √");
    QTest::newRow("write parameter 12, refused")
        << Operator{.functionDowns = 2, .parameterDowns = 1, .value = QStringLiteral("100.0")} << B3
        << QStringList{"<NAK>"}
        << QStringLiteral("▲▲▲▲ 写参数值(") + P12 + ")  " + S + "<CR><LF>发送:" + B3 +
               QStringLiteral("→接收:NAK  ×");
    QTest::newRow("HBX reply laid out at its separators")
        << Operator{.functionDowns = 3, .address = QStringLiteral("5")} << B4
        << QStringList{"<STX>05<RS>001+0012.3<RS>002+0045.6<RS>12345<ETB>"}
        << QStringLiteral("△△△△ (") + P73 + QStringLiteral(")  校验和:12345") + S +
               "<CR><LF>发送:" + B4 +
               QStringLiteral(" → 接收:<STX>05<RS><CR><LF>001+0012.3<RS>002+0045.6<RS>");
}

void tst_ComTestOverPty::exchanges()
{
    QFETCH(Operator, op);
    QFETCH(QString, frame);
    QFETCH(QStringList, reply);
    QFETCH(QString, transcript);
    ProgramHarness& p = *m_program;
    ComTest& w = p.window();

    act(p, op);
    p.clickStart();
    const QByteArray heard = m_instrument->readExactly(int(onWire(frame).size()), 2000);
    QCOMPARE(visible(QString::fromLatin1(heard)), frame);
    QCOMPARE(m_instrument->readFromPeer(100), QByteArray()); // nothing after the frame
    QVERIFY(w.Timer2->isActive());

    // Each chunk but the last is taken by the program before the next is sent,
    // so that the line really delivers the reply in pieces.
    QString gathered;
    for (qsizetype i = 0; i + 1 < reply.size(); ++i) {
        QVERIFY(m_instrument->writeToPeer(onWire(reply[i])));
        gathered += wireText(reply[i]);
        QTRY_COMPARE_WITH_TIMEOUT(p.vars().RecvBuf, gathered, 2000);
        QCOMPARE(w.transcript().entryCount(), 0);
        QVERIFY(w.Timer2->isActive());
    }
    QVERIFY(m_instrument->writeToPeer(onWire(reply.last())));
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 2000);

    QCOMPARE(visible(w.transcript().text()), transcript);
    QCOMPARE(w.REC1->toPlainText(), asShown(wireText(transcript)));
    QVERIFY(!w.Timer2->isActive());
    QTest::qWait(100);
    QCOMPARE(w.transcript().entryCount(), 1);
    QCOMPARE(m_instrument->readFromPeer(0), QByteArray()); // a reply sends nothing back
}

void tst_ComTestOverPty::silentInstrumentTimesOutOnceAfterThreeSeconds()
{
    ProgramHarness& p = *m_program;
    ComTest& w = p.window();
    act(p, Operator{.functionDowns = 1});

    QElapsedTimer sinceStart;
    sinceStart.start();
    p.clickStart();
    QCOMPARE(m_instrument->readExactly(int(onWire(B2).size()), 2000), onWire(B2));

    QTest::qWait(int(2900 - sinceStart.elapsed()));
    QCOMPARE(w.transcript().entryCount(), 0);
    QVERIFY(w.Timer2->isActive());

    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 1500);
    const qint64 after = sinceStart.elapsed();
    QVERIFY2(after >= 2990, qPrintable(QStringLiteral("time-out entry after %1 ms").arg(after)));
    const QString entry = QStringLiteral("△△△△ 读参数值(") + P11 + ")  " + S +
                          "\r\n发送:" + wireText(B2) + QStringLiteral(" → 接收:串口超时错误!!!");
    QCOMPARE(w.transcript().text(), entry);
    QCOMPARE(w.REC1->toPlainText(), asShown(entry));
    QVERIFY(!w.Timer2->isActive());

    QTest::qWait(1000);
    QCOMPARE(w.transcript().entryCount(), 1);
    QVERIFY(p.line->isOpen());                             // the time-out leaves the port as it was
    QCOMPARE(m_instrument->readFromPeer(0), QByteArray()); // and sends nothing again
}

void tst_ComTestOverPty::peerClosingMidExchange()
{
    ProgramHarness& p = *m_program;
    ComTest& w = p.window();
    QSignalSpy failures(p.line, &SerialLine::failed);
    QSignalSpy portErrors(p.line->findChild<QSerialPort*>(), &QSerialPort::errorOccurred);

    p.clickStart();
    QCOMPARE(m_instrument->readExactly(int(onWire(B1).size()), 2000), onWire(B1));
    QVERIFY(m_instrument->writeToPeer(onWire("<STX>00101+01")));
    QTRY_COMPARE_WITH_TIMEOUT(p.vars().RecvBuf, wireText("<STX>00101+01"), 2000);

    portErrors.clear(); // NoError from the open
    m_instrument->closeMaster();
    QTRY_VERIFY_WITH_TIMEOUT(!p.line->isOpen(), 2000);
    QTest::qWait(500); // room for a flood of errors, had the port stayed open
    qsizetype errors = 0;
    for (const QList<QVariant>& args : std::as_const(portErrors))
        errors += args.at(0).value<QSerialPort::SerialPortError>() != QSerialPort::NoError;
    QCOMPARE(errors, 1);
    QCOMPARE(failures.size(), 1);
    QVERIFY(w.Timer2->isActive()); // the command is still waiting for its answer
    QCOMPARE(w.transcript().entryCount(), 0);

    const QString timeout = QStringLiteral("▲△▲△ 读瞬时值   ") + S + "\r\n发送:" + wireText(B1) +
                            QStringLiteral(" → 接收:串口超时错误!!!");
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 4000);
    QCOMPARE(w.transcript().text(), timeout);
    QVERIFY(!w.Timer2->isActive());
    QCOMPARE(portErrors.size(), errors);

    // The instrument comes back on another pty: the next Start opens COM1 afresh.
    PtyPair second;
    QVERIFY2(second.isValid(), qPrintable(second.errorText()));
    qputenv("LINKBENCH_COM1", second.slaveName().toLocal8Bit()); // the harness unsets it
    p.now = QDateTime(QDate(2026, 12, 7), QTime(6, 5, 0));
    p.clickStart();
    QCOMPARE(second.readExactly(int(onWire(B1).size()), 2000), onWire(B1));
    QVERIFY(p.line->isOpen());
    QVERIFY(second.writeToPeer(onWire("<STX>00101+0123.412345<ETB>")));
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 2, 2000);

    const QString reply = QStringLiteral("▲△▲△ 读瞬时值   校验和:12345 ◆◆  测试时间:2026-12-7 "
                                         "6:05:00\r\n发送:") +
                          wireText(B1 + QStringLiteral(" →接收:<STX>00101+0123.412345<ETB>"));
    QCOMPARE(w.transcript().text(), reply + "\r\n\r\n" + timeout);
    QCOMPARE(w.REC1->toPlainText(), asShown(reply + "\r\n\r\n" + timeout));
    QVERIFY(!w.Timer2->isActive());
    QCOMPARE(failures.size(), 1);
}

LINKBENCH_TEST_MAIN(tst_ComTestOverPty)
#include "tst_ComTestOverPty.moc"
