#include "SimPortExchange.h"
#include "TestMain.h"
#include "WireText.h"
#include "wire/CommandFrame.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

QByteArray joined(const QByteArrayList& chunks)
{
    return chunks.join();
}

// The five characters before the last one are the sum of all before them.
bool checkFieldIsCharacterSum(const QByteArray& reply)
{
    if (reply.size() < 7)
        return false;
    unsigned sum = 0;
    for (const char c : reply.first(reply.size() - 6))
        sum += static_cast<unsigned char>(c);
    return reply.sliced(reply.size() - 6, 5) ==
           QByteArray::number(sum % 100000).rightJustified(5, '0');
}

// Processor time the process has used so far, in clock ticks.
qint64 cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name in parentheses; utime and stime are 14 and 15.
    const QList<QByteArray> fields = text.sliced(text.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

// Reads arrive in bursts the chunk gap apart; reads closer together belong to one burst.
QByteArrayList bursts(QSerialPort& port, qsizetype total, int quietMs, int timeoutMs)
{
    QByteArrayList groups;
    qsizetype received = 0;
    QElapsedTimer sinceLast;
    QDeadlineTimer deadline(timeoutMs);
    while (received < total && !deadline.hasExpired()) {
        if (!port.waitForReadyRead(100))
            continue;
        const QByteArray chunk = port.readAll();
        if (groups.isEmpty() || sinceLast.elapsed() > quietMs)
            groups << QByteArray();
        groups.last() += chunk;
        received += chunk.size();
        sinceLast.start();
    }
    return groups;
}

} // namespace

class tst_SimProcess : public QObject
{
    Q_OBJECT

private slots:
    void helpListsEveryOptionInBothLanguages();
    void refusedOptionEndsWithTwo();
    void repliesOverThePty_data();
    void repliesOverThePty();
    void writeChangesALaterRead();
    void silentAddresses_data();
    void silentAddresses();
    void repliesComeInTheChunksAsked();
    void strayCharactersBeforeTheReply();
    void faultSharesOfAll_data();
    void faultSharesOfAll();
    void reopeningTheSlaveKeepsItServingWithoutSpinning();
    void wireTimePacesTheExchange();
    void realPortGivenByDevice();
    void logsEachExchangeUnlessQuiet();
};

void tst_SimProcess::helpListsEveryOptionInBothLanguages()
{
    QProcess help;
    help.start(QStringLiteral(LINKBENCH_SIM_PATH), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(10000));
    QCOMPARE(help.exitStatus(), QProcess::NormalExit);
    QCOMPARE(help.exitCode(), 0);
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    for (const char* option : {"--device", "--settings", "--baud", "--wire-time", "--reply-delay",
                               "--chunks", "--chunk-gap", "--noise", "--drop", "--nak", "--seed",
                               "--bus", "--faulty", "--hbx", "--quiet", "--help"})
        QVERIFY2(text.contains(QLatin1String(option)), option);
    QVERIFY(text.contains(QStringLiteral("用法 Usage: linkbench-sim")));
    QVERIFY(text.contains(QStringLiteral("丢弃该比例的应答")));
    QVERIFY(text.contains(QStringLiteral("drop that share of the replies")));
    QVERIFY(text.contains(QStringLiteral("对该比例的正确写命令回 NAK")));
    QVERIFY(text.contains(QStringLiteral("answer NAK to that share of correct writes")));
}

void tst_SimProcess::refusedOptionEndsWithTwo()
{
    QProcess sim;
    sim.start(QStringLiteral(LINKBENCH_SIM_PATH), {QStringLiteral("--drop"), QStringLiteral("x")});
    QVERIFY(sim.waitForFinished(10000));
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardOutput().isEmpty());
    QCOMPARE(QString::fromUtf8(sim.readAllStandardError()),
             QStringLiteral("选项 --drop 的取值“x”无效（invalid value）\n"));
}

void tst_SimProcess::repliesOverThePty_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("exact"); // the whole reply, or empty to match `shape`
    QTest::addColumn<QString>("shape");

    QTest::newRow("read value of 001/01")
        << wire::dc1Frame("001", "01") << QByteArray() << "^\\x0200101[+]\\d{4}\\.\\d\\d{5}\\x17$";
    QTest::newRow("read value of 011/90")
        << wire::dc1Frame("011", "90") << QByteArray() << "^\\x0201190[+]0\\d{3}\\.\\d\\d{5}\\x17$";
    QTest::newRow("read graduation number")
        << wire::dc2Frame("001", "01", "11") << onWire("<STX>00101<US>11<US>0000300647<ETB>")
        << QString();
    QTest::newRow("correct write")
        << wire::dc3Frame("002", "05", "18", "0085.0") << onWire("<ACK>") << QString();
    QTest::newRow("write with a wrong checksum")
        << onWire("<DC3>00101<US>12<US>0100.0<US>00741<ETX>") << onWire("<NAK>") << QString();
    QTest::newRow("write to parameter 60, not in the list")
        << wire::dc3Frame("001", "01", "60", "00001") << onWire("<NAK>") << QString();
    QTest::newRow("HBX 71 attached, the faulty one included")
        << wire::dc4Frame("05", "71")
        << onWire("<STX>0571<RS>001<RS>002<RS>003<RS>004<RS>011<RS>01119<ETB>") << QString();
    QTest::newRow("HBX 72 faulty")
        << wire::dc4Frame("05", "72") << onWire("<STX>0572<RS>003<RS>00415<ETB>") << QString();
    QTest::newRow("HBX 70 clock")
        << wire::dc4Frame("05", "70") << QByteArray()
        << "^\\x020570\\x1e\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\x1e\\d{5}\\x17$";
    QTest::newRow("HBX 73 current values of the working instruments")
        << wire::dc4Frame("05", "73") << QByteArray()
        << "^\\x020573\\x1e00101[+]\\d{4}\\.\\d\\x1e00201[+]\\d{4}\\.\\d\\x1e"
           "00401[+]\\d{4}\\.\\d\\x1e01101[+]\\d{4}\\.\\d\\x1e\\d{5}\\x17$";
    QTest::newRow("HBX 74 six samples")
        << wire::dc4Frame("05", "74") << QByteArray()
        << "^\\x020574\\x1e(\\d\\d:\\d0[+]\\d{4}\\.\\d\\x1e){6}\\d{5}\\x17$";
}

void tst_SimProcess::repliesOverThePty()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, exact);
    QFETCH(QString, shape);
    RunningSim sim;
    QVERIFY(sim.start({"--quiet", "--bus", "001-004,011", "--faulty", "003"}));
    QSerialPort port;
    QVERIFY2(openLikeTheTool(port, sim.device()), qPrintable(port.errorString()));
    const QByteArray reply = joined(exchange(port, frame, endsWithEtbOrAcknowledges, 3000));
    if (!exact.isEmpty()) {
        QCOMPARE(reply, exact);
        return;
    }
    QVERIFY2(QRegularExpression(shape).match(QString::fromLatin1(reply)).hasMatch(),
             reply.constData());
    QVERIFY(checkFieldIsCharacterSum(reply));
}

void tst_SimProcess::writeChangesALaterRead()
{
    RunningSim sim;
    QVERIFY(sim.start({"--quiet"}));
    QSerialPort port;
    QVERIFY(openLikeTheTool(port, sim.device()));
    const auto read = [&] {
        return joined(
            exchange(port, wire::dc2Frame("003", "02", "05"), endsWithEtbOrAcknowledges, 3000));
    };
    QCOMPARE(read(), onWire("<STX>00302<US>05<US>0050.000701<ETB>"));
    QCOMPARE(joined(exchange(port, wire::dc3Frame("003", "02", "05", "-012.50"),
                             endsWithEtbOrAcknowledges, 3000)),
             onWire("<ACK>"));
    QCOMPARE(read(), onWire("<STX>00302<US>05<US>-012.5000749<ETB>"));
}

void tst_SimProcess::silentAddresses_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("instrument 012 not on the bus") << wire::dc1Frame("012", "01");
    QTest::newRow("faulty instrument 004") << wire::dc2Frame("004", "01", "11");
    QTest::newRow("HBX at 06 instead of 05") << wire::dc4Frame("06", "73");
}

void tst_SimProcess::silentAddresses()
{
    QFETCH(QByteArray, frame);
    RunningSim sim;
    QVERIFY(sim.start({"--quiet", "--faulty", "004", "--reply-delay", "0"}));
    QSerialPort port;
    QVERIFY(openLikeTheTool(port, sim.device()));
    QCOMPARE(exchange(port, frame, endsWithEtbOrAcknowledges, 600), QByteArrayList());
    // The line is still served afterwards.
    QCOMPARE(
        joined(exchange(port, wire::dc2Frame("001", "01", "11"), endsWithEtbOrAcknowledges, 3000)),
        onWire("<STX>00101<US>11<US>0000300647<ETB>"));
}

void tst_SimProcess::repliesComeInTheChunksAsked()
{
    RunningSim sim;
    QVERIFY(sim.start({"--quiet", "--wire-time", "off", "--chunks", "3", "--chunk-gap", "300"}));
    QSerialPort port;
    QVERIFY(openLikeTheTool(port, sim.device()));
    port.write(wire::dc2Frame("001", "01", "11"));
    QVERIFY(port.waitForBytesWritten(1000));
    // 21 characters in three pieces, 300 ms apart: reads 100 ms apart are one burst.
    QCOMPARE(
        bursts(port, 21, 100, 5000),
        (QByteArrayList{onWire("<STX>00101<US>"), onWire("11<US>0000"), onWire("300647<ETB>")}));
}

void tst_SimProcess::strayCharactersBeforeTheReply()
{
    const auto noisyReply = [] {
        RunningSim sim;
        if (!sim.start({"--quiet", "--noise", "5", "--seed", "11"}))
            return QByteArray("not started");
        QSerialPort port;
        if (!openLikeTheTool(port, sim.device()))
            return QByteArray("not opened");
        return joined(
            exchange(port, wire::dc2Frame("001", "01", "11"), endsWithEtbOrAcknowledges, 3000));
    };
    const QByteArray reply = noisyReply();
    QCOMPARE(reply.size(), 5 + 21);
    for (const char c : reply.first(5))
        QVERIFY2(c >= '!' && c <= '~', reply.constData());
    QCOMPARE(reply.sliced(5), onWire("<STX>00101<US>11<US>0000300647<ETB>"));
    // The same seed, the same stray characters.
    QCOMPARE(noisyReply(), reply);
}

void tst_SimProcess::faultSharesOfAll_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArrayList>("reply");

    QTest::newRow("every reply dropped")
        << QStringList{"--drop", "100"} << wire::dc1Frame("001", "01") << QByteArrayList();
    QTest::newRow("every write acknowledgement dropped")
        << QStringList{"--drop", "100"} << wire::dc3Frame("001", "01", "12", "1")
        << QByteArrayList();
    QTest::newRow("every correct write refused")
        << QStringList{"--nak", "100"} << wire::dc3Frame("001", "01", "12", "0100.0")
        << QByteArrayList{onWire("<NAK>")};
    QTest::newRow("reads unaffected by the NAK share")
        << QStringList{"--nak", "100"} << wire::dc2Frame("001", "01", "11")
        << QByteArrayList{onWire("<STX>00101<US>11<US>0000300647<ETB>")};
}

void tst_SimProcess::faultSharesOfAll()
{
    QFETCH(QStringList, faults);
    QFETCH(QByteArray, frame);
    QFETCH(QByteArrayList, reply);
    RunningSim sim;
    QVERIFY(sim.start(QStringList{"--quiet", "--wire-time", "off"} + faults));
    QSerialPort port;
    QVERIFY(openLikeTheTool(port, sim.device()));
    QCOMPARE(exchange(port, frame, endsWithEtbOrAcknowledges, 600), reply);
}

void tst_SimProcess::reopeningTheSlaveKeepsItServingWithoutSpinning()
{
    RunningSim sim;
    QVERIFY(sim.start({"--quiet", "--reply-delay", "0"}));
    for (int round = 0; round < 5; ++round) {
        QSerialPort port;
        QVERIFY2(openLikeTheTool(port, sim.device()), qPrintable(port.errorString()));
        QCOMPARE(joined(exchange(port, wire::dc2Frame("001", "01", "11"), endsWithEtbOrAcknowledges,
                                 3000)),
                 onWire("<STX>00101<US>11<US>0000300647<ETB>"));
        port.close();
    }
    // A reply to a command whose sender has closed the slave meanwhile is
    // flushed by the next open; nothing stale reaches the next exchange.
    {
        QSerialPort port;
        QVERIFY(openLikeTheTool(port, sim.device()));
        port.write(wire::dc1Frame("001", "01"));
        QVERIFY(port.waitForBytesWritten(1000));
        port.close();
    }
    // With nobody on the slave, the simulator waits instead of spinning.
    const qint64 before = cpuTicks(sim.pid());
    QTest::qWait(1000);
    const qint64 used = cpuTicks(sim.pid()) - before;
    QVERIFY2(before >= 0 && used < 20, qPrintable(QString::number(used)));
    QCOMPARE(sim.process().state(), QProcess::Running);

    QSerialPort port;
    QVERIFY(openLikeTheTool(port, sim.device()));
    QCOMPARE(
        joined(exchange(port, wire::dc2Frame("002", "01", "11"), endsWithEtbOrAcknowledges, 3000)),
        onWire("<STX>00201<US>11<US>0000300648<ETB>"));
}

void tst_SimProcess::wireTimePacesTheExchange()
{
    // At 1200 bit/s the 7 command and 19 reply characters take 26 x 11 / 1200 s,
    // 238 ms; the reply comes character by character, not in one piece.
    RunningSim sim;
    QVERIFY(sim.start({"--quiet", "--settings", "1200,n,8,2", "--reply-delay", "0"}));
    QSerialPort port;
    QVERIFY(openLikeTheTool(port, sim.device(), 1200));
    QElapsedTimer clock;
    clock.start();
    const QByteArrayList chunks =
        exchange(port, wire::dc1Frame("001", "01"), endsWithEtbOrAcknowledges, 3000);
    const qint64 elapsedMs = clock.elapsed();
    QCOMPARE(joined(chunks).size(), 19);
    QVERIFY2(elapsedMs >= 235, qPrintable(QString::number(elapsedMs)));
    QVERIFY2(chunks.size() >= 5, qPrintable(QString::number(chunks.size())));
}

void tst_SimProcess::realPortGivenByDevice()
{
    // A pty pair of the test's own stands in for a null-modem cable: the
    // simulator opens one end as a serial port, the test talks on the other.
    int master = -1;
    int slave = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    QCOMPARE(openpty(&master, &slave, name, &raw, nullptr), 0);
    RunningSim sim;
    const bool started = sim.start({"--quiet", "--device", QString::fromLocal8Bit(name)});
    QByteArray reply;
    if (started) {
        const QByteArray frame = wire::dc2Frame("001", "01", "11");
        if (::write(master, frame.constData(), size_t(frame.size())) == ssize_t(frame.size())) {
            QDeadlineTimer deadline(3000);
            while (!reply.contains('\x17') && !deadline.hasExpired()) {
                fd_set readable;
                FD_ZERO(&readable);
                FD_SET(master, &readable);
                timeval wait{0, 100'000};
                if (select(master + 1, &readable, nullptr, nullptr, &wait) > 0) {
                    char buffer[256];
                    const ssize_t n = ::read(master, buffer, sizeof buffer);
                    if (n > 0)
                        reply.append(buffer, n);
                }
            }
        }
    }
    ::close(master);
    ::close(slave);
    QVERIFY(started);
    QCOMPARE(sim.device(), QString::fromLocal8Bit(name));
    QCOMPARE(reply, onWire("<STX>00101<US>11<US>0000300647<ETB>"));
}

void tst_SimProcess::logsEachExchangeUnlessQuiet()
{
    for (const bool quiet : {false, true}) {
        RunningSim sim;
        QVERIFY(sim.start(quiet ? QStringList{"--quiet"} : QStringList{"--seed", "5"}));
        QSerialPort port;
        QVERIFY(openLikeTheTool(port, sim.device()));
        QCOMPARE(joined(exchange(port, wire::dc2Frame("001", "01", "11"), endsWithEtbOrAcknowledges,
                                 3000)),
                 onWire("<STX>00101<US>11<US>0000300647<ETB>"));
        exchange(port, wire::dc1Frame("099", "01"), endsWithEtbOrAcknowledges, 300);
        sim.process().kill();
        sim.process().waitForFinished(5000);
        const QString log = QString::fromUtf8(sim.process().readAllStandardError());
        if (quiet) {
            QCOMPARE(log, QString());
            continue;
        }
        const QStringList lines = log.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(
            lines[0].startsWith(QStringLiteral("linkbench-sim：线路 ") + sim.device() +
                                QStringLiteral("，9600 bit/s，线时 on，应答延时 20 ms，种子 5")),
            qPrintable(lines[0]));
        QVERIFY2(QRegularExpression(
                     QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} 收 <DC2>00101<US>11<ETX>  "
                                    "答 <STX>00101<US>11<US>0000300647<ETB>$"))
                     .match(lines[1])
                     .hasMatch(),
                 qPrintable(lines[1]));
        QVERIFY2(lines[2].endsWith(QStringLiteral(" 收 <DC1>09901<ETX>  不答：地址不在总线上")),
                 qPrintable(lines[2]));
    }
}

LINKBENCH_TEST_GUILESS_MAIN(tst_SimProcess)
#include "tst_SimProcess.moc"
