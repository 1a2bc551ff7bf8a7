// The simulator as the bus's master (--master) and with a tap (--tap): the
// commands a --master round names, and a tap that carries both directions in order.

#include "MasterPlayer.h"
#include "SimPortExchange.h"
#include "TestMain.h"
#include "WireText.h"

#include <QTest>

using sim::parseMasterRound;

class tst_SimMaster : public QObject
{
    Q_OBJECT

private slots:
    void round_data();
    void round();
    void tapCarriesBothDirections();
};

void tst_SimMaster::round_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("frames"); // "" when refused
    QTest::addColumn<int>("intervalMs");

    QTest::newRow("addresses alone: DC1 every 200 ms") << "1-2"
                                                       << "<DC1>00101<ETX> <DC1>00201<ETX>" << 200;
    QTest::newRow("a mix of functions, each address in turn")
        << "dc1+dc2@7,9/50"
        << "<DC1>00701<ETX> <DC2>00701<US>11<ETX> <DC1>00901<ETX> "
           "<DC2>00901<US>11<ETX>"
        << 50;
    QTest::newRow("the concentrator") << "DC4@5/1000"
                                      << "<DC4>05<DC2>00101<US>73<ETX>" << 1000;
    QTest::newRow("unknown function") << "dc9@1"
                                      << "" << 0;
    QTest::newRow("no interval after the slash") << "1-3/"
                                                 << "" << 0;
    QTest::newRow("address 256") << "256"
                                 << "" << 0;
}

void tst_SimMaster::round()
{
    QFETCH(QString, text);
    QFETCH(QString, frames);
    QFETCH(int, intervalMs);

    const std::optional<sim::MasterRound> round = parseMasterRound(text);
    QCOMPARE(round.has_value(), !frames.isEmpty());
    if (!round)
        return;
    QByteArrayList expected;
    for (const QString& frame : frames.split(u' '))
        expected << onWire(frame);
    QCOMPARE(round->frames, expected);
    QCOMPARE(round->intervalMs, intervalMs);
}

void tst_SimMaster::tapCarriesBothDirections()
{
    RunningSim sim;
    QVERIFY(sim.start({"--tap", "--wire-time", "off", "--reply-delay", "0", "--quiet"}));
    QVERIFY(sim.process().canReadLine() || sim.process().waitForReadyRead(5000));
    const QString tapDevice = QString::fromLocal8Bit(sim.process().readLine()).trimmed();
    QSerialPort tool;
    QSerialPort tap;
    QVERIFY(openLikeTheTool(tool, sim.device()));
    QVERIFY(openLikeTheTool(tap, tapDevice));

    const QByteArray command = onWire("<DC1>00101<ETX>");
    const QByteArray reply = exchange(tool, command, endsWithEtbOrAcknowledges, 3000).join();
    QVERIFY(reply.endsWith(onWire("<ETB>")));
    QByteArray copied;
    QDeadlineTimer deadline(3000);
    while (copied.size() < command.size() + reply.size() && !deadline.hasExpired()) {
        if (tap.waitForReadyRead(100))
            copied += tap.readAll();
    }
    QCOMPARE(copied, command + reply);
}

LINKBENCH_TEST_GUILESS_MAIN(tst_SimMaster)
#include "tst_SimMaster.moc"
