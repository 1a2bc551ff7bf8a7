#include "PtyPair.h"
#include "TestMain.h"
#include "WireText.h"
#include "catalogue/LineLists.h"
#include "platform/LineSettings.h"
#include "platform/OpenRefusal.h"
#include "platform/PortFinder.h"
#include "platform/PortMapping.h"
#include "platform/QtSerialLine.h"

#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <termios.h>

namespace {

// The kernel's termios2, which carries the speed as a number; <asm/termbits.h>
// cannot be included next to <termios.h>.
struct KernelTermios2
{
    tcflag_t c_iflag;
    tcflag_t c_oflag;
    tcflag_t c_cflag;
    tcflag_t c_lflag;
    cc_t c_line;
    cc_t c_cc[19];
    speed_t c_ispeed;
    speed_t c_ospeed;
};
const unsigned long kGetTermios2 = _IOR('T', 0x2A, KernelTermios2);
constexpr tcflag_t kCustomSpeed = 0010000; // BOTHER

const QByteArray kCom1 = QByteArrayLiteral("LINKBENCH_COM1");

QByteArray allByteValues()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

// Reads what the line delivers to the program until `expected` bytes came or
// the time is up, and counts the receive notifications on the way.
QByteArray receiveOnLine(QtSerialLine& line, QSignalSpy& notifications, int expected)
{
    QByteArray got = line.readAll();
    QDeadlineTimer deadline(3000);
    while (got.size() < expected && !deadline.hasExpired()) {
        notifications.wait(int(qMax<qint64>(deadline.remainingTime(), 1)));
        got += line.readAll();
    }
    return got;
}

// What a refused open says of a device that is not there, with the ports
// this machine has (their wording is pinned in tst_OpenRefusal).
QString missingText()
{
    OpenRefusal missing;
    missing.kind = OpenRefusal::Kind::Missing;
    missing.foundNow = findRealPorts();
    return refusalText(missing);
}

} // namespace

class tst_QtSerialLine : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void deviceForPort_data();
    void deviceForPort();

    void openSetsTheLine_data();
    void openSetsTheLine();
    void everyByteValueCrossesUnchanged();
    void burstsLargerThanTheSystemBufferCrossWhole();
    void chunksFromThePeer_data();
    void chunksFromThePeer();
    void clearBuffersDropsUnreadInput_data();
    void clearBuffersDropsUnreadInput();
    void reopenWhileOpenKeepsWorking();

    void missingDeviceIsRefused();
    void portHeldByAnotherLineIsRefused();
    void malformedSettingsAreRefused_data();
    void malformedSettingsAreRefused();

    void peerGoingAwayFailsOnce();
    void failureMetInsideACallIsReportedAfterIt();
    void failureBeforeAReopenIsNotReported();
    void reopenAfterPeerCameBack();

private:
    std::unique_ptr<PtyPair> m_pty;
};

void tst_QtSerialLine::init()
{
    // Calls on a closed or failed line must stay silent ("device not open" and the like).
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    m_pty = std::make_unique<PtyPair>();
    QVERIFY2(m_pty->isValid(), qPrintable(m_pty->errorText()));
    qputenv(kCom1.constData(), m_pty->slaveName().toLocal8Bit());
}

void tst_QtSerialLine::cleanup()
{
    m_pty.reset();
    for (int n = 1; n <= 8; ++n)
        qunsetenv(QByteArray("LINKBENCH_COM" + QByteArray::number(n)).constData());
}

void tst_QtSerialLine::deviceForPort_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QByteArray>("variable"); // set to `value` when not empty
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("device"); // empty: the variable is not what COMn opens

    for (int n = 1; n <= 8; ++n)
        QTest::addRow("COM%d with no variable", n)
            << n << QByteArray() << QByteArray() << QString();
    QTest::newRow("variable names the device")
        << 3 << QByteArray("LINKBENCH_COM3") << QByteArray("/dev/ttyUSB0") << "/dev/ttyUSB0";
    QTest::newRow("empty variable is ignored")
        << 2 << QByteArray("LINKBENCH_COM2") << QByteArray("") << QString();
    QTest::newRow("another port's variable does not count")
        << 4 << QByteArray("LINKBENCH_COM5") << QByteArray("/dev/pts/9") << QString();
    QTest::newRow("COM8 by variable")
        << 8 << QByteArray("LINKBENCH_COM8") << QByteArray("/tmp/line 8") << "/tmp/line 8";
}

// The process environment comes first; what follows it is the rule's
// (tst_PortMapping), which depends on the ports this machine has.
void tst_QtSerialLine::deviceForPort()
{
    QFETCH(int, port);
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(QString, device);

    qunsetenv(kCom1.constData()); // init() points COM1 at the pty
    if (!variable.isEmpty())
        qputenv(variable.constData(), value);
    const PortDevice mapped = currentPortDevice(port);
    if (device.isEmpty()) {
        QVERIFY(mapped.source != PortSource::Environment);
    } else {
        QCOMPARE(mapped.device, device);
        QCOMPARE(mapped.source, PortSource::Environment);
    }
}

void tst_QtSerialLine::openSetsTheLine_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<uint>("speed");
    QTest::addColumn<tcflag_t>("speedCode"); // the CBAUD bits
    QTest::addColumn<tcflag_t>("frameBits"); // CSIZE, CSTOPB, PARENB, PARODD, CMSPAR asked for

    const tcflag_t listedFrame = CS8 | CSTOPB;
    const QList<tcflag_t> listedCodes = {B1200, B2400, B4800, B9600, B19200, B38400, kCustomSpeed};
    const QStringList listed = catalogue::lineSettingEntries();
    QCOMPARE(listed.size(), listedCodes.size());
    for (qsizetype i = 0; i < listed.size(); ++i) {
        const uint speed = listed[i].section(u',', 0, 0).toUInt();
        QTest::addRow("listed %s", qPrintable(listed[i]))
            << listed[i] << speed << listedCodes[i] << listedFrame;
    }
    QTest::newRow("even parity, 7 bits, 1 stop")
        << "4800,e,7,1" << 4800u << tcflag_t(B4800) << tcflag_t(CS7 | PARENB);
    QTest::newRow("odd parity") << "9600,o,8,1" << 9600u << tcflag_t(B9600)
                                << tcflag_t(CS8 | PARENB | PARODD);
    QTest::newRow("mark parity") << "9600,m,8,2" << 9600u << tcflag_t(B9600)
                                 << tcflag_t(CS8 | CSTOPB | PARENB | PARODD | CMSPAR);
    QTest::newRow("space parity") << "9600,s,6,2" << 9600u << tcflag_t(B9600)
                                  << tcflag_t(CS6 | CSTOPB | PARENB | CMSPAR);
    QTest::newRow("five bits") << "1200,n,5,1" << 1200u << tcflag_t(B1200) << tcflag_t(CS5);
}

void tst_QtSerialLine::openSetsTheLine()
{
    QFETCH(QString, settings);
    QFETCH(uint, speed);
    QFETCH(tcflag_t, speedCode);
    QFETCH(tcflag_t, frameBits);

    QtSerialLine line;
    QString error;
    QVERIFY2(line.open(1, settings, &error), qPrintable(error));
    QVERIFY(line.isOpen());
    QVERIFY(error.isEmpty());

    // A pty keeps the stop bits and the parity kind, but the kernel always
    // shows it with 8 data bits and parity off; so only the listed settings
    // (8 bits, no parity) are checked in full here.
    const tcflag_t ptyFrame = (frameBits & ~(CSIZE | PARENB)) | CS8;
    termios tio{};
    QCOMPARE(::tcgetattr(m_pty->slaveFd(), &tio), 0);
    QCOMPARE(tio.c_cflag & (CSIZE | CSTOPB | PARENB | PARODD | CMSPAR), ptyFrame);
    QCOMPARE(tio.c_cflag & CBAUD, speedCode);
    QCOMPARE(tio.c_cflag & CRTSCTS, tcflag_t(0));         // no hardware flow control
    QCOMPARE(tio.c_iflag & (IXON | IXOFF), tcflag_t(0));  // no XON/XOFF
    QCOMPARE(tio.c_lflag & (ICANON | ECHO), tcflag_t(0)); // raw: bytes as they come
    QCOMPARE(tio.c_oflag & OPOST, tcflag_t(0));

    KernelTermios2 tio2{};
    QCOMPARE(::ioctl(m_pty->slaveFd(), kGetTermios2, &tio2), 0);
    QCOMPARE(uint(tio2.c_ospeed), speed);
    QCOMPARE(uint(tio2.c_ispeed), speed);
}

void tst_QtSerialLine::everyByteValueCrossesUnchanged()
{
    QtSerialLine line;
    QSignalSpy notifications(&line, &SerialLine::notification);
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));

    const QByteArray bytes = allByteValues();
    line.write(bytes);
    QCOMPARE(m_pty->readExactly(256, 3000), bytes);
    QCOMPARE(m_pty->readFromPeer(50), QByteArray()); // nothing added after

    QVERIFY(m_pty->writeToPeer(bytes));
    QCOMPARE(receiveOnLine(line, notifications, 256), bytes);
    QVERIFY(!notifications.isEmpty());
    for (const QList<QVariant>& args : std::as_const(notifications))
        QCOMPARE(args.at(0).toInt(), line::kEventReceive);
}

void tst_QtSerialLine::burstsLargerThanTheSystemBufferCrossWhole()
{
    QtSerialLine line;
    QSignalSpy notifications(&line, &SerialLine::notification);
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("56000,n,8,2"), &error), qPrintable(error));

    const QByteArray burst = allByteValues().repeated(256); // 64 KiB
    line.write(burst);
    QCOMPARE(m_pty->readExactly(int(burst.size()), 5000), burst);

    QVERIFY(m_pty->writeToPeer(burst));
    QCOMPARE(receiveOnLine(line, notifications, int(burst.size())), burst);
}

void tst_QtSerialLine::chunksFromThePeer_data()
{
    QTest::addColumn<QByteArrayList>("chunks");

    QTest::newRow("reply in one chunk") << QByteArrayList{onWire("<STX>00101 12.3 0A1B2<ETB>")};
    QTest::newRow("reply in three chunks")
        << QByteArrayList{onWire("<STX>001"), "01 12.3", onWire(" 0A1B2<ETB>")};
    QTest::newRow("single bytes") << QByteArrayList{onWire("<STX>"), "1", onWire("<ETB>")};
    QTest::newRow("acknowledgement") << QByteArrayList{onWire("<ACK>")};
    QTest::newRow("control characters and high bytes")
        << QByteArrayList{QByteArray("\x00\x11\x13\x0d\x0a", 5), "\x7f\x80\xff"};
}

void tst_QtSerialLine::chunksFromThePeer()
{
    QFETCH(QByteArrayList, chunks);

    QtSerialLine line;
    QSignalSpy notifications(&line, &SerialLine::notification);
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));

    for (const QByteArray& chunk : std::as_const(chunks)) {
        notifications.clear();
        QVERIFY(m_pty->writeToPeer(chunk));
        QVERIFY(notifications.wait(3000));
        QCOMPARE(notifications.first().at(0).toInt(), line::kEventReceive);
        QCOMPARE(line.readAll(), chunk);
        QCOMPARE(line.readAll(), QByteArray()); // the read took everything
    }
}

void tst_QtSerialLine::clearBuffersDropsUnreadInput_data()
{
    QTest::addColumn<bool>("letProgramSeeIt"); // the stale bytes reached the port's own buffer

    QTest::newRow("stale bytes already notified") << true;
    QTest::newRow("stale bytes still in the system") << false;
}

void tst_QtSerialLine::clearBuffersDropsUnreadInput()
{
    QFETCH(bool, letProgramSeeIt);

    QtSerialLine line;
    QSignalSpy notifications(&line, &SerialLine::notification);
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));

    QVERIFY(m_pty->writeToPeer(onWire("stale reply<ETB>")));
    if (letProgramSeeIt)
        QVERIFY(notifications.wait(3000));
    else
        QTest::qSleep(50); // the bytes reach the slave, but no event is processed
    line.clearBuffers();

    QVERIFY(m_pty->writeToPeer(onWire("<STX>fresh<ETB>")));
    QCOMPARE(receiveOnLine(line, notifications, 7), onWire("<STX>fresh<ETB>"));
    QCOMPARE(m_pty->readFromPeer(50), QByteArray()); // clearing sends nothing
}

void tst_QtSerialLine::reopenWhileOpenKeepsWorking()
{
    // Every Start closes and reopens the port, with the same or other settings.
    QtSerialLine line;
    QSignalSpy failures(&line, &SerialLine::failed);
    QSignalSpy notifications(&line, &SerialLine::notification);
    QString error;
    for (const QString& settings : catalogue::lineSettingEntries()) {
        QVERIFY2(line.open(1, settings, &error), qPrintable(error));
        line.clearBuffers();
        line.write(onWire("<DC1>00101<ETX>"));
        QCOMPARE(m_pty->readExactly(7, 3000), onWire("<DC1>00101<ETX>"));
        QVERIFY(m_pty->writeToPeer(onWire("<STX>ok<ETB>")));
        QCOMPARE(receiveOnLine(line, notifications, 4), onWire("<STX>ok<ETB>"));
    }
    line.close();
    QVERIFY(!line.isOpen());
    line.close(); // closing a closed port is harmless
    QVERIFY(line.open(1, QStringLiteral("9600,n,8,2"), &error));
    QCOMPARE(failures.size(), 0);
}

void tst_QtSerialLine::missingDeviceIsRefused()
{
    const QString device = QStringLiteral("/dev/linkbench-no-such-line");
    qputenv("LINKBENCH_COM4", device.toLocal8Bit());

    QtSerialLine line;
    QSignalSpy failures(&line, &SerialLine::failed);
    QString error;
    QVERIFY(!line.open(4, QStringLiteral("9600,n,8,2"), &error));
    QCOMPARE(error, device + QStringLiteral(": ") + missingText());
    QCOMPARE(line.findChild<QSerialPort*>()->error(), QSerialPort::DeviceNotFoundError);
    QVERIFY(!line.isOpen());
    QCOMPARE(failures.size(), 0); // a refused open is open()'s answer, not a failure
    QCOMPARE(line.readAll(), QByteArray());
    line.write(onWire("<DC1>")); // nothing to write to: dropped
    line.clearBuffers();         // and nothing to clear
}

void tst_QtSerialLine::portHeldByAnotherLineIsRefused()
{
    QtSerialLine holder;
    QtSerialLine second;
    QSignalSpy holderNotifications(&holder, &SerialLine::notification);
    QString error;
    QVERIFY2(holder.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));

    QVERIFY(!second.open(1, QStringLiteral("9600,n,8,2"), &error));
    QVERIFY2(error.startsWith(m_pty->slaveName() + QStringLiteral(": ")), qPrintable(error));
    QVERIFY2(error.size() > m_pty->slaveName().size() + 2, "the reason is missing");
    QCOMPARE(second.findChild<QSerialPort*>()->error(), QSerialPort::PermissionError);
    QVERIFY(!second.isOpen());

    // The holder keeps its line.
    QVERIFY(holder.isOpen());
    QVERIFY(m_pty->writeToPeer(onWire("<ACK>")));
    QCOMPARE(receiveOnLine(holder, holderNotifications, 1), onWire("<ACK>"));

    // Once released, the port is free again.
    holder.close();
    QVERIFY2(second.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));
}

void tst_QtSerialLine::malformedSettingsAreRefused_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty") << "" << kSettingsLayoutRefused.arg(QString());
    QTest::newRow("speed not a number")
        << "fast,n,8,2" << kSettingsSpeedRefused.arg(QStringLiteral("fast,n,8,2"));
    QTest::newRow("unknown parity")
        << "9600,x,8,2" << kSettingsParityRefused.arg(QStringLiteral("9600,x,8,2"));
    QTest::newRow("nine data bits")
        << "9600,n,9,2" << kSettingsDataBitsRefused.arg(QStringLiteral("9600,n,9,2"));
    QTest::newRow("three stop bits")
        << "9600,n,8,3" << kSettingsStopBitsRefused.arg(QStringLiteral("9600,n,8,3"));
    QTest::newRow("one and a half stop bits, which termios cannot set")
        << "1200,n,5,1.5" << kSettingsStopBitsUnsupported.arg(QStringLiteral("1200,n,5,1.5"));
}

void tst_QtSerialLine::malformedSettingsAreRefused()
{
    QFETCH(QString, settings);
    QFETCH(QString, reason);

    QtSerialLine line;
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));
    QVERIFY(!line.open(1, settings, &error));
    QCOMPARE(error, m_pty->slaveName() + QStringLiteral(": ") + reason);
    QVERIFY(!line.isOpen()); // the old port was closed first, as for any reopen

    // The refused open left no lock behind.
    QtSerialLine other;
    QVERIFY2(other.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));
}

void tst_QtSerialLine::peerGoingAwayFailsOnce()
{
    QtSerialLine line;
    QSignalSpy failures(&line, &SerialLine::failed);
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));
    auto* port = line.findChild<QSerialPort*>();
    QVERIFY(port);
    QSignalSpy portErrors(port, &QSerialPort::errorOccurred);

    m_pty->closeMaster();
    QVERIFY(failures.wait(3000));
    // Half a second of event processing: the port must stay quiet.
    QTest::qWait(500);

    QCOMPARE(failures.size(), 1);
    const QString reason = failures.first().at(0).toString();
    QVERIFY2(reason.startsWith(m_pty->slaveName() + QStringLiteral(": ")), qPrintable(reason));
    QVERIFY2(reason.size() > m_pty->slaveName().size() + 2, "the reason is missing");
    QVERIFY(!line.isOpen());
    qsizetype realErrors = 0;
    for (const QList<QVariant>& args : std::as_const(portErrors)) {
        if (args.at(0).value<QSerialPort::SerialPortError>() != QSerialPort::NoError)
            ++realErrors;
    }
    QCOMPARE(realErrors, 1);

    // The program keeps calling the line as usual: nothing breaks, nothing more is reported.
    QCOMPARE(line.readAll(), QByteArray());
    line.write(onWire("<DC1>00101<ETX>"));
    line.clearBuffers();
    line.close();
    QTest::qWait(20);
    QCOMPARE(failures.size(), 1);
}

void tst_QtSerialLine::failureMetInsideACallIsReportedAfterIt()
{
    QtSerialLine line;
    QSignalSpy failures(&line, &SerialLine::failed);
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));

    // The hang-up is there before the program gets a chance to notice it, so
    // emptying the buffers is the call that meets it.
    m_pty->closeMaster();
    line.clearBuffers();
    QVERIFY(!line.isOpen());
    QCOMPARE(failures.size(), 0); // not inside the caller's handler
    line.write(onWire("<DC1>00101<ETX>"));

    QVERIFY(failures.wait(3000));
    QTest::qWait(100);
    QCOMPARE(failures.size(), 1);
    QVERIFY2(
        failures.first().at(0).toString().startsWith(m_pty->slaveName() + QStringLiteral(": ")),
        qPrintable(failures.first().at(0).toString()));
}

void tst_QtSerialLine::failureBeforeAReopenIsNotReported()
{
    QtSerialLine line;
    QSignalSpy failures(&line, &SerialLine::failed);
    QSignalSpy notifications(&line, &SerialLine::notification);
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));

    PtyPair other;
    QVERIFY2(other.isValid(), qPrintable(other.errorText()));
    qputenv("LINKBENCH_COM2", other.slaveName().toLocal8Bit());

    m_pty->closeMaster();
    line.clearBuffers(); // meets the hang-up; its report is still on its way
    QVERIFY(!line.isOpen());
    QVERIFY2(line.open(2, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));

    QTest::qWait(100);
    QCOMPARE(failures.size(), 0); // the new line is fine: nothing to report
    QVERIFY(line.isOpen());
    QVERIFY(other.writeToPeer(onWire("<ACK>")));
    QCOMPARE(receiveOnLine(line, notifications, 1), onWire("<ACK>"));
}

void tst_QtSerialLine::reopenAfterPeerCameBack()
{
    QtSerialLine line;
    QSignalSpy failures(&line, &SerialLine::failed);
    QSignalSpy notifications(&line, &SerialLine::notification);
    QString error;
    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));
    const QString oldSlave = m_pty->slaveName();

    m_pty->closeMaster();
    QVERIFY(failures.wait(3000));

    // A pseudo-terminal's slave path is removed as soon as its master closes,
    // so the same device cannot be opened again until a new pair exists.
    QVERIFY(!line.open(1, QStringLiteral("9600,n,8,2"), &error));
    QCOMPARE(error, oldSlave + QStringLiteral(": ") + missingText());

    // A new instrument on a new pair, reached through the same port entry.
    // Linux hands out the lowest free pty number, so the new pair usually gets
    // the old path back once every descriptor of the old one is closed; other
    // processes may take it first, so the test follows the new name.
    m_pty.reset();
    m_pty = std::make_unique<PtyPair>();
    QVERIFY2(m_pty->isValid(), qPrintable(m_pty->errorText()));
    qputenv(kCom1.constData(), m_pty->slaveName().toLocal8Bit());
    qInfo("old slave %s, new slave %s", qPrintable(oldSlave), qPrintable(m_pty->slaveName()));

    QVERIFY2(line.open(1, QStringLiteral("9600,n,8,2"), &error), qPrintable(error));
    line.write(onWire("<DC2>00101<US>11<ETX>"));
    QCOMPARE(m_pty->readExactly(10, 3000), onWire("<DC2>00101<US>11<ETX>"));
    QVERIFY(m_pty->writeToPeer(onWire("<STX>00101 11 5<ETB>")));
    QCOMPARE(receiveOnLine(line, notifications, 12), onWire("<STX>00101 11 5<ETB>"));
    QCOMPARE(failures.size(), 1);
}

LINKBENCH_TEST_GUILESS_MAIN(tst_QtSerialLine)
#include "tst_QtSerialLine.moc"
