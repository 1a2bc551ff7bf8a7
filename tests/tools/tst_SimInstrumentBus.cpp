#include "InstrumentBus.h"
#include "TestMain.h"
#include "WireText.h"
#include "wire/CommandFrame.h"

#include <QTest>

using namespace sim;

namespace {

// 1970-01-01 00:00:00 UTC: every process value stands at its base, 10 x address + channel.
Clock epochClock()
{
    return [] { return QDateTime::fromMSecsSinceEpoch(0, Qt::UTC); };
}

Clock fixedClock(const QDateTime& when)
{
    return [when] { return when; };
}

BusLayout smallBus()
{
    BusLayout layout;
    layout.instruments = {1, 2, 3, 4};
    layout.faulty = {3};
    return layout;
}

} // namespace

class tst_SimInstrumentBus : public QObject
{
    Q_OBJECT

private slots:
    void readReplies_data();
    void readReplies();
    void silentFrames_data();
    void silentFrames();
    void writeVerdicts_data();
    void writeVerdicts();
    void acceptedWriteChangesLaterReadsOfThatChannelOnly();
    void refusedWriteChangesNothing();
    void concentratorReplies_data();
    void concentratorReplies();
    void concentratorAtThreeDigitAddress();
};

void tst_SimInstrumentBus::readReplies_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("process value of 001 channel 01")
        << wire::dc1Frame("001", "01") << onWire("<STX>00101+0011.000575<ETB>");
    QTest::newRow("process value of 011 channel 90")
        << wire::dc1Frame("011", "90") << onWire("<STX>01190+0200.000584<ETB>");
    QTest::newRow("graduation number at its default")
        << wire::dc2Frame("001", "01", "11") << onWire("<STX>00101<US>11<US>0000300647<ETB>");
    QTest::newRow("address parameter holds the instrument's address")
        << wire::dc2Frame("007", "03", "28") << onWire("<STX>00703<US>28<US>0000700667<ETB>");
    QTest::newRow("nameless parameter reads zero")
        << wire::dc2Frame("001", "01", "47") << onWire("<STX>00101<US>47<US>0000000653<ETB>");
}

void tst_SimInstrumentBus::readReplies()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, reply);
    InstrumentBus bus(BusLayout{}, epochClock());
    const Answer answer = bus.answer(frame);
    QCOMPARE(answer.kind, AnswerKind::Reply);
    QCOMPARE(answer.bytes, reply);
}

void tst_SimInstrumentBus::silentFrames_data()
{
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("address 012 beyond the bus") << wire::dc1Frame("012", "01");
    QTest::newRow("address 000") << wire::dc1Frame("000", "01");
    QTest::newRow("faulty instrument") << wire::dc1Frame("003", "01");
    QTest::newRow("channel 65") << wire::dc1Frame("001", "65");
    QTest::newRow("channel 89") << wire::dc2Frame("001", "89", "11");
    QTest::newRow("parameter 58 not in the list") << wire::dc2Frame("001", "01", "58");
    QTest::newRow("write to an absent address") << wire::dc3Frame("099", "01", "12", "0100.0");
    QTest::newRow("address of two digits") << onWire("<DC1>0101<ETX>");
    QTest::newRow("letter in the address") << onWire("<DC1>0a101<ETX>");
    QTest::newRow("read parameter without its number") << onWire("<DC2>00101<US><ETX>");
    QTest::newRow("write without checksum") << onWire("<DC3>00101<US>12<US>0100.0<US><ETX>");
    QTest::newRow("write with a short checksum")
        << onWire("<DC3>00101<US>12<US>0100.0<US>740<ETX>");
    QTest::newRow("write with an empty value") << onWire("<DC3>00101<US>12<US><US>00453<ETX>");
    QTest::newRow("not ended by ETX") << onWire("<DC1>00101");
    QTest::newRow("HBX request to 06") << wire::dc4Frame("06", "73");
    QTest::newRow("HBX address written 005") << wire::dc4Frame("005", "73");
    QTest::newRow("HBX request 47") << wire::dc4Frame("05", "47");
    QTest::newRow("HBX request without inner DC2") << onWire("<DC4>0500101<US>73<ETX>");
}

void tst_SimInstrumentBus::silentFrames()
{
    QFETCH(QByteArray, frame);
    InstrumentBus bus(smallBus(), epochClock());
    const Answer answer = bus.answer(frame);
    QCOMPARE(answer.kind, AnswerKind::Silent);
    QVERIFY(answer.bytes.isEmpty());
    QVERIFY(!answer.note.isEmpty());
}

void tst_SimInstrumentBus::writeVerdicts_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("correct write")
        << onWire("<DC3>00101<US>12<US>0100.0<US>00740<ETX>") << false << onWire("<ACK>");
    QTest::newRow("checksum one too high")
        << onWire("<DC3>00101<US>12<US>0100.0<US>00741<ETX>") << false << onWire("<NAK>");
    QTest::newRow("checksum of six digits for a five-digit sum")
        << onWire("<DC3>00101<US>12<US>0100.0<US>000740<ETX>") << false << onWire("<NAK>");
    QTest::newRow("parameter 58 not in the list")
        << wire::dc3Frame("001", "01", "58", "0100.0") << false << onWire("<NAK>");
    QTest::newRow("parameter 74 is in the list")
        << wire::dc3Frame("001", "01", "74", "00001") << false << onWire("<ACK>");
    QTest::newRow("value that is no number")
        << wire::dc3Frame("001", "01", "12", "abc") << false << onWire("<NAK>");
    QTest::newRow("value kept as typed, 7.")
        << wire::dc3Frame("001", "01", "12", "7.") << false << onWire("<ACK>");
    QTest::newRow("negative value")
        << wire::dc3Frame("002", "64", "05", "-001.25") << false << onWire("<ACK>");
    QTest::newRow("correct write refused by the line fault")
        << wire::dc3Frame("001", "01", "12", "0100.0") << true << onWire("<NAK>");
}

void tst_SimInstrumentBus::writeVerdicts()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, refuse);
    QFETCH(QByteArray, reply);
    InstrumentBus bus(BusLayout{}, epochClock());
    QCOMPARE(bus.answer(frame, refuse).bytes, reply);
}

void tst_SimInstrumentBus::acceptedWriteChangesLaterReadsOfThatChannelOnly()
{
    InstrumentBus bus(BusLayout{}, epochClock());
    QCOMPARE(bus.answer(wire::dc3Frame("001", "01", "12", "0100.0")).bytes, onWire("<ACK>"));
    QCOMPARE(bus.answer(wire::dc2Frame("001", "01", "12")).bytes,
             onWire("<STX>00101<US>12<US>0100.000692<ETB>"));
    // Other channels and other instruments keep their own value.
    QCOMPARE(bus.answer(wire::dc2Frame("001", "02", "12")).bytes,
             onWire("<STX>00102<US>12<US>0000.000692<ETB>"));
    QCOMPARE(bus.answer(wire::dc2Frame("002", "01", "12")).bytes,
             onWire("<STX>00201<US>12<US>0000.000692<ETB>"));
}

void tst_SimInstrumentBus::refusedWriteChangesNothing()
{
    InstrumentBus bus(BusLayout{}, epochClock());
    QCOMPARE(bus.answer(onWire("<DC3>00101<US>13<US>0100.0<US>00999<ETX>")).kind, AnswerKind::Nak);
    QCOMPARE(bus.answer(wire::dc3Frame("001", "01", "13", "0100.0"), true).kind, AnswerKind::Nak);
    QCOMPARE(bus.answer(wire::dc2Frame("001", "01", "13")).bytes,
             onWire("<STX>00101<US>13<US>1000.000693<ETB>"));
}

void tst_SimInstrumentBus::concentratorReplies_data()
{
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("70 clock") << "70" << onWire("<STX>0570<RS>2026-12-07 14:23:30<RS>01209<ETB>");
    QTest::newRow("71 attached addresses, the faulty one included")
        << "71" << onWire("<STX>0571<RS>001<RS>002<RS>003<RS>004<RS>00943<ETB>");
    QTest::newRow("72 faulty addresses") << "72" << onWire("<STX>0572<RS>003<RS>00415<ETB>");
    QTest::newRow("73 current values of the working instruments")
        << "73"
        << onWire("<STX>0573<RS>00101+0012.9<RS>00201+0022.7<RS>00401+0040.8<RS>02081<ETB>");
    QTest::newRow("74 six ten-minute samples of 001 channel 01, newest first")
        << "74"
        << onWire("<STX>0574<RS>14:20+0012.9<RS>14:10+0011.6<RS>14:00+0011.0<RS>13:50+0010.4"
                  "<RS>13:40+0009.1<RS>13:30+0009.5<RS>03987<ETB>");
}

void tst_SimInstrumentBus::concentratorReplies()
{
    QFETCH(QString, parameter);
    QFETCH(QByteArray, reply);
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 23, 30), Qt::UTC);
    InstrumentBus bus(smallBus(), fixedClock(when));
    const Answer answer = bus.answer(wire::dc4Frame("05", parameter.toLatin1()));
    QCOMPARE(answer.kind, AnswerKind::Reply);
    QCOMPARE(answer.bytes, reply);
}

void tst_SimInstrumentBus::concentratorAtThreeDigitAddress()
{
    BusLayout layout;
    layout.instruments = {1};
    layout.hbxAddress = 120;
    InstrumentBus bus(layout, epochClock());
    QCOMPARE(bus.answer(wire::dc4Frame("120", "71")).bytes,
             onWire("<STX>12071<RS>001<RS>00458<ETB>"));
    QCOMPARE(bus.answer(wire::dc4Frame("05", "71")).kind, AnswerKind::Silent);
}

LINKBENCH_TEST_GUILESS_MAIN(tst_SimInstrumentBus)
#include "tst_SimInstrumentBus.moc"
