#include "InstrumentBus.h"
#include "WireText.h"
#include "protocol/CommandFrames.h"

#include <QTest>

using namespace sim;

namespace {

QByteArray latin1(const QString& text)
{
    return text.toLatin1();
}

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
        << latin1(frames::dc1Frame("001", "01")) << wire("<STX>00101+0011.000575<ETB>");
    QTest::newRow("process value of 011 channel 90")
        << latin1(frames::dc1Frame("011", "90")) << wire("<STX>01190+0200.000584<ETB>");
    QTest::newRow("graduation number at its default")
        << latin1(frames::dc2Frame("001", "01", "11"))
        << wire("<STX>00101<US>11<US>0000300647<ETB>");
    QTest::newRow("address parameter holds the instrument's address")
        << latin1(frames::dc2Frame("007", "03", "28"))
        << wire("<STX>00703<US>28<US>0000700667<ETB>");
    QTest::newRow("nameless parameter reads zero") << latin1(frames::dc2Frame("001", "01", "47"))
                                                   << wire("<STX>00101<US>47<US>0000000653<ETB>");
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

    QTest::newRow("address 012 beyond the bus") << latin1(frames::dc1Frame("012", "01"));
    QTest::newRow("address 000") << latin1(frames::dc1Frame("000", "01"));
    QTest::newRow("faulty instrument") << latin1(frames::dc1Frame("003", "01"));
    QTest::newRow("channel 65") << latin1(frames::dc1Frame("001", "65"));
    QTest::newRow("channel 89") << latin1(frames::dc2Frame("001", "89", "11"));
    QTest::newRow("parameter 58 not in the list") << latin1(frames::dc2Frame("001", "01", "58"));
    QTest::newRow("write to an absent address")
        << latin1(frames::dc3Frame("099", "01", "12", "0100.0"));
    QTest::newRow("address of two digits") << wire("<DC1>0101<ETX>");
    QTest::newRow("letter in the address") << wire("<DC1>0a101<ETX>");
    QTest::newRow("read parameter without its number") << wire("<DC2>00101<US><ETX>");
    QTest::newRow("write without checksum") << wire("<DC3>00101<US>12<US>0100.0<US><ETX>");
    QTest::newRow("write with a short checksum") << wire("<DC3>00101<US>12<US>0100.0<US>740<ETX>");
    QTest::newRow("write with an empty value") << wire("<DC3>00101<US>12<US><US>00453<ETX>");
    QTest::newRow("not ended by ETX") << wire("<DC1>00101");
    QTest::newRow("HBX request to 06") << latin1(frames::dc4Frame("06", "73"));
    QTest::newRow("HBX address written 005") << latin1(frames::dc4Frame("005", "73"));
    QTest::newRow("HBX request 47") << latin1(frames::dc4Frame("05", "47"));
    QTest::newRow("HBX request without inner DC2") << wire("<DC4>0500101<US>73<ETX>");
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
        << wire("<DC3>00101<US>12<US>0100.0<US>00740<ETX>") << false << wire("<ACK>");
    QTest::newRow("checksum one too high")
        << wire("<DC3>00101<US>12<US>0100.0<US>00741<ETX>") << false << wire("<NAK>");
    QTest::newRow("checksum of six digits for a five-digit sum")
        << wire("<DC3>00101<US>12<US>0100.0<US>000740<ETX>") << false << wire("<NAK>");
    QTest::newRow("parameter 58 not in the list")
        << latin1(frames::dc3Frame("001", "01", "58", "0100.0")) << false << wire("<NAK>");
    QTest::newRow("parameter 74 is in the list")
        << latin1(frames::dc3Frame("001", "01", "74", "00001")) << false << wire("<ACK>");
    QTest::newRow("value that is no number")
        << latin1(frames::dc3Frame("001", "01", "12", "abc")) << false << wire("<NAK>");
    QTest::newRow("value kept as typed, 7.")
        << latin1(frames::dc3Frame("001", "01", "12", "7.")) << false << wire("<ACK>");
    QTest::newRow("negative value")
        << latin1(frames::dc3Frame("002", "64", "05", "-001.25")) << false << wire("<ACK>");
    QTest::newRow("correct write refused by the line fault")
        << latin1(frames::dc3Frame("001", "01", "12", "0100.0")) << true << wire("<NAK>");
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
    QCOMPARE(bus.answer(latin1(frames::dc3Frame("001", "01", "12", "0100.0"))).bytes,
             wire("<ACK>"));
    QCOMPARE(bus.answer(latin1(frames::dc2Frame("001", "01", "12"))).bytes,
             wire("<STX>00101<US>12<US>0100.000692<ETB>"));
    // Other channels and other instruments keep their own value.
    QCOMPARE(bus.answer(latin1(frames::dc2Frame("001", "02", "12"))).bytes,
             wire("<STX>00102<US>12<US>0000.000692<ETB>"));
    QCOMPARE(bus.answer(latin1(frames::dc2Frame("002", "01", "12"))).bytes,
             wire("<STX>00201<US>12<US>0000.000692<ETB>"));
}

void tst_SimInstrumentBus::refusedWriteChangesNothing()
{
    InstrumentBus bus(BusLayout{}, epochClock());
    QCOMPARE(bus.answer(wire("<DC3>00101<US>13<US>0100.0<US>00999<ETX>")).kind, AnswerKind::Nak);
    QCOMPARE(bus.answer(latin1(frames::dc3Frame("001", "01", "13", "0100.0")), true).kind,
             AnswerKind::Nak);
    QCOMPARE(bus.answer(latin1(frames::dc2Frame("001", "01", "13"))).bytes,
             wire("<STX>00101<US>13<US>1000.000693<ETB>"));
}

void tst_SimInstrumentBus::concentratorReplies_data()
{
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("70 clock") << "70" << wire("<STX>0570<RS>2026-12-07 14:23:30<RS>01209<ETB>");
    QTest::newRow("71 attached addresses, the faulty one included")
        << "71" << wire("<STX>0571<RS>001<RS>002<RS>003<RS>004<RS>00943<ETB>");
    QTest::newRow("72 faulty addresses") << "72" << wire("<STX>0572<RS>003<RS>00415<ETB>");
    QTest::newRow("73 current values of the working instruments")
        << "73" << wire("<STX>0573<RS>00101+0012.9<RS>00201+0022.7<RS>00401+0040.8<RS>02081<ETB>");
    QTest::newRow("74 six ten-minute samples of 001 channel 01, newest first")
        << "74"
        << wire("<STX>0574<RS>14:20+0012.9<RS>14:10+0011.6<RS>14:00+0011.0<RS>13:50+0010.4"
                "<RS>13:40+0009.1<RS>13:30+0009.5<RS>03987<ETB>");
}

void tst_SimInstrumentBus::concentratorReplies()
{
    QFETCH(QString, parameter);
    QFETCH(QByteArray, reply);
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 23, 30), Qt::UTC);
    InstrumentBus bus(smallBus(), fixedClock(when));
    const Answer answer = bus.answer(latin1(frames::dc4Frame("05", parameter)));
    QCOMPARE(answer.kind, AnswerKind::Reply);
    QCOMPARE(answer.bytes, reply);
}

void tst_SimInstrumentBus::concentratorAtThreeDigitAddress()
{
    BusLayout layout;
    layout.instruments = {1};
    layout.hbxAddress = 120;
    InstrumentBus bus(layout, epochClock());
    QCOMPARE(bus.answer(latin1(frames::dc4Frame("120", "71"))).bytes,
             wire("<STX>12071<RS>001<RS>00458<ETB>"));
    QCOMPARE(bus.answer(latin1(frames::dc4Frame("05", "71"))).kind, AnswerKind::Silent);
}

QTEST_GUILESS_MAIN(tst_SimInstrumentBus)
#include "tst_SimInstrumentBus.moc"
