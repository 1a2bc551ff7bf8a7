#include "TestMain.h"
#include "platform/FoundPort.h"
#include "platform/PortChoices.h"
#include "platform/PortFinder.h"
#include "platform/PortMapping.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(FoundPort)
Q_DECLARE_METATYPE(QList<FoundPort>)
Q_DECLARE_METATYPE(PortSource)

namespace {

// Made-up ports, as a laptop or a desktop PC would list them.
FoundPort uart(const QString& name)
{
    FoundPort port;
    port.portName = name;
    port.systemLocation = QStringLiteral("/dev/") + name;
    return port;
}

FoundPort adapter(const QString& name, const QString& stableName,
                  const QString& description = QStringLiteral("FT232R USB UART"),
                  const QString& maker = QStringLiteral("FTDI"), quint16 vendor = 0x0403,
                  quint16 product = 0x6001)
{
    FoundPort port = uart(name);
    port.stableName =
        stableName.isEmpty() ? QString() : QStringLiteral("/dev/serial/by-id/") + stableName;
    port.description = description;
    port.manufacturer = maker;
    port.vendorId = vendor;
    port.productId = product;
    return port;
}

const FoundPort kFtdi =
    adapter(QStringLiteral("ttyUSB0"), QStringLiteral("usb-FTDI_FT232R_A1-if00-port0"));
const FoundPort kFtdiReplugged =
    adapter(QStringLiteral("ttyUSB1"), QStringLiteral("usb-FTDI_FT232R_A1-if00-port0"));
const FoundPort kCh340 =
    adapter(QStringLiteral("ttyUSB1"), QStringLiteral("usb-1a86_USB_Serial-if00-port0"),
            QStringLiteral("USB Serial"), QStringLiteral("QinHeng"), 0x1a86, 0x7523);
const FoundPort kAcm =
    adapter(QStringLiteral("ttyACM0"), QStringLiteral("usb-Arduino_Uno_7543-if00"),
            QStringLiteral("Uno"), QStringLiteral("Arduino"), 0x2341, 0x0043);

QStringList locations(const QList<FoundPort>& ports)
{
    QStringList result;
    for (const FoundPort& port : ports)
        result.append(port.systemLocation);
    return result;
}

} // namespace

class tst_PortMapping : public QObject
{
    Q_OBJECT
private slots:
    void mapPort_data();
    void mapPort();
    void realPortsInOrder_data();
    void realPortsInOrder();
    void summary_data();
    void summary();
    void stableNameLeadsToTheDevice();
    void choicesAreKept();
};

void tst_PortMapping::mapPort_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("environment"); // LINKBENCH_COMn of that port
    QTest::addColumn<QString>("chosen");      // the kept choice of that port
    QTest::addColumn<QList<FoundPort>>("found");
    QTest::addColumn<QString>("device");
    QTest::addColumn<PortSource>("source");

    const QList<FoundPort> laptop = {kFtdi};
    const QList<FoundPort> desktop = {uart("ttyS0"), uart("ttyS1"), kFtdi, kAcm};
    const QString ftdiStable = kFtdi.stableName;

    QTest::newRow("laptop, one adapter, nothing set: COM1 is the adapter")
        << 1 << ""
        << "" << laptop << "/dev/ttyUSB0" << PortSource::Found;
    QTest::newRow("laptop: COM2 has nothing behind it")
        << 2 << ""
        << "" << laptop << "/dev/ttyS1" << PortSource::Default;
    QTest::newRow("no port at all: COM1 is ttyS0")
        << 1 << ""
        << "" << QList<FoundPort>() << "/dev/ttyS0" << PortSource::Default;
    QTest::newRow("no port at all: COM8 is ttyS7")
        << 8 << ""
        << "" << QList<FoundPort>() << "/dev/ttyS7" << PortSource::Default;
    QTest::newRow("desktop: COM2 is the second UART")
        << 2 << ""
        << "" << desktop << "/dev/ttyS1" << PortSource::Found;
    QTest::newRow("desktop: COM3 is the first adapter")
        << 3 << ""
        << "" << desktop << "/dev/ttyUSB0" << PortSource::Found;
    QTest::newRow("desktop: COM5 is past the ports found")
        << 5 << ""
        << "" << desktop << "/dev/ttyS4" << PortSource::Default;
    QTest::newRow("environment comes before everything")
        << 1 << "/dev/pts/7" << ftdiStable << laptop << "/dev/pts/7" << PortSource::Environment;
    QTest::newRow("choice by stable name opens the port's name of today")
        << 1 << "" << ftdiStable << QList<FoundPort>{kFtdiReplugged} << "/dev/ttyUSB1"
        << PortSource::Chosen;
    QTest::newRow("choice comes before the ports found")
        << 1 << ""
        << "/dev/ttyS1" << desktop << "/dev/ttyS1" << PortSource::Chosen;
    QTest::newRow("choice of an adapter that is unplugged is opened as kept")
        << 3 << "" << ftdiStable << QList<FoundPort>{uart("ttyS0")} << ftdiStable
        << PortSource::Chosen;
    QTest::newRow("choice of a path that is not a port found")
        << 4 << ""
        << "/tmp/line" << desktop << "/tmp/line" << PortSource::Chosen;

    // Rows named "Windows: ..." map as Windows does: ports listed by their COM
    // names, an adapter kept by its USB serial number.
    FoundPort ftdi = kFtdi;
    ftdi.serialNumber = QStringLiteral("A10k1234");
    ftdi.stableName = ftdi.usbSerialName();
    const auto at = [](FoundPort port, const QString& name) {
        port.portName = name;
        port.systemLocation = QStringLiteral("\\\\.\\") + name;
        return port;
    };
    const FoundPort board = at(uart(QStringLiteral("COM1")), QStringLiteral("COM1"));
    const QString kept = QStringLiteral("USB\\VID_0403&PID_6001\\A10k1234");
    QTest::newRow("Windows: COM1 is the port Windows calls COM1")
        << 1 << ""
        << "" << QList<FoundPort>{board, at(ftdi, "COM3")} << "COM1" << PortSource::Found;
    QTest::newRow("Windows: an adapter at COM3 is not COM1")
        << 1 << ""
        << "" << QList<FoundPort>{at(ftdi, "COM3")} << "COM1" << PortSource::Default;
    QTest::newRow("Windows: a choice follows the adapter to another COM number")
        << 2 << "" << kept << QList<FoundPort>{board, at(ftdi, "COM7")} << "COM7"
        << PortSource::Chosen;
    QTest::newRow("Windows: a chosen adapter that is unplugged is opened as kept")
        << 2 << "" << kept << QList<FoundPort>{board} << kept << PortSource::Chosen;
}

void tst_PortMapping::mapPort()
{
    QFETCH(int, port);
    QFETCH(QString, environment);
    QFETCH(QString, chosen);
    QFETCH(QList<FoundPort>, found);
    QFETCH(QString, device);
    QFETCH(PortSource, source);

    // Other entries' variables and choices are set too: only this port's count.
    PortMappingInput input;
    input.environment = [&](int n) {
        return n == port ? environment : QStringLiteral("/dev/env-of-other");
    };
    input.choices = {{port % 8 + 1, QStringLiteral("/dev/choice-of-other")}};
    if (!chosen.isEmpty())
        input.choices.insert(port, chosen);
    input.found = found;
    const bool windows = QByteArray(QTest::currentDataTag()).startsWith("Windows:");
    input.naming = windows ? PortNaming::ComNumbers : PortNaming::Devices;

    const PortDevice mapped = ::mapPort(port, input);
    QCOMPARE(mapped.device, device);
    QCOMPARE(mapped.source, source);
    const FoundPort* expectedPort = findPort(found, device);
    QCOMPARE(mapped.port.has_value(), expectedPort != nullptr);
    for (const FoundPort& listed : found)
        QCOMPARE(listed.shownName(), windows ? listed.portName : listed.systemLocation);
}

void tst_PortMapping::realPortsInOrder_data()
{
    QTest::addColumn<QList<FoundPort>>("listed"); // as the system lists them
    QTest::addColumn<QStringList>("uartTypes");   // "name=type" for ports that have one
    QTest::addColumn<QStringList>("order");

    QTest::newRow("UARTs with nothing behind them are left out")
        << QList<FoundPort>{uart("ttyS0"), uart("ttyS1"), uart("ttyS2"), uart("ttyS3"), kFtdi}
        << QStringList{"ttyS0=0", "ttyS1=0", "ttyS2=0", "ttyS3=0"} << QStringList{"/dev/ttyUSB0"};
    QTest::newRow("a UART that answers stays, ahead of the adapters")
        << QList<FoundPort>{kFtdi, uart("ttyS1"), uart("ttyS0")}
        << QStringList{"ttyS0=4", "ttyS1=0"} << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"};
    QTest::newRow("UARTs by number, ttyS2 before ttyS10")
        << QList<FoundPort>{uart("ttyS10"), uart("ttyS2"), uart("ttyAMA0")}
        << QStringList{"ttyS10=4", "ttyS2=4", "ttyAMA0=1"}
        << QStringList{"/dev/ttyAMA0", "/dev/ttyS2", "/dev/ttyS10"};
    QTest::newRow("adapters by stable name, not by the number the kernel gave")
        << QList<FoundPort>{kAcm, kCh340, kFtdi} << QStringList{}
        << QStringList{"/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyUSB0"};
    QTest::newRow("adapters without a stable name come last")
        << QList<FoundPort>{adapter("ttyUSB3", ""), kFtdi, adapter("ttyUSB2", "")} << QStringList{}
        << QStringList{"/dev/ttyUSB0", "/dev/ttyUSB2", "/dev/ttyUSB3"};
    QTest::newRow("a type that does not read as a number keeps the port")
        << QList<FoundPort>{uart("ttyS0")} << QStringList{"ttyS0=?"} << QStringList{"/dev/ttyS0"};
    QTest::newRow("type text with a line end")
        << QList<FoundPort>{uart("ttyS0"), uart("ttyS1")} << QStringList{"ttyS0=0\n", "ttyS1=4\n"}
        << QStringList{"/dev/ttyS1"};
}

void tst_PortMapping::realPortsInOrder()
{
    QFETCH(QList<FoundPort>, listed);
    QFETCH(QStringList, uartTypes);
    QFETCH(QStringList, order);

    QMap<QString, QString> types;
    for (const QString& entry : uartTypes)
        types.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    const QList<FoundPort> real =
        ::realPortsInOrder(listed, [&](const QString& name) { return types.value(name); });
    QCOMPARE(locations(real), order);
}

void tst_PortMapping::summary_data()
{
    QTest::addColumn<FoundPort>("port");
    QTest::addColumn<QString>("summary");

    QTest::newRow("all known") << kFtdi << "FT232R USB UART, FTDI, 0403:6001";
    QTest::newRow("small numbers keep four digits")
        << adapter("ttyUSB0", "", "X", "Y", 0x4, 0x2a) << "X, Y, 0004:002a";
    QTest::newRow("a UART tells nothing") << uart("ttyS0") << "";
    FoundPort noProduct = kFtdi;
    noProduct.productId.reset();
    noProduct.description.clear();
    QTest::newRow("vendor alone is not shown") << noProduct << "FTDI";
}

void tst_PortMapping::summary()
{
    QFETCH(FoundPort, port);
    QFETCH(QString, summary);
    QCOMPARE(port.summary(), summary);
}

void tst_PortMapping::stableNameLeadsToTheDevice()
{
    QTemporaryDir byId;
    QVERIFY(byId.isValid());
    QTemporaryDir devices;
    for (const char* name : {"ttyUSB0", "ttyUSB1"}) {
        QFile file(devices.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(devices.filePath("ttyUSB1"), byId.filePath("usb-B-port0")));
    QVERIFY(QFile::link(devices.filePath("ttyUSB0"), byId.filePath("usb-A-port0")));
    QVERIFY(QFile::link(devices.filePath("gone"), byId.filePath("usb-C-port0")));

    QCOMPARE(stableNameOf(devices.filePath("ttyUSB0"), byId.path()), byId.filePath("usb-A-port0"));
    QCOMPARE(stableNameOf(devices.filePath("ttyUSB1"), byId.path()), byId.filePath("usb-B-port0"));
    // Typed as the stable name itself: it leads to itself.
    QCOMPARE(stableNameOf(byId.filePath("usb-A-port0"), byId.path()), byId.filePath("usb-A-port0"));
    QCOMPARE(stableNameOf(devices.filePath("ttyS0"), byId.path()), QString());
    QCOMPARE(stableNameOf(devices.filePath("ttyUSB0"), byId.filePath("none")), QString());
}

void tst_PortMapping::choicesAreKept()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("linkbench.conf"));
    {
        QSettings settings(file, QSettings::IniFormat);
        storePortChoice(settings, 2, QStringLiteral("/dev/serial/by-id/usb-A-port0"));
        storePortChoice(settings, 8, QStringLiteral("/tmp/line 8"));
        storePortChoice(settings, 5, QStringLiteral("/dev/ttyS4"));
        storePortChoice(settings, 5, QString()); // back to automatic
    }
    QSettings settings(file, QSettings::IniFormat);
    const QMap<int, QString> expected = {{2, QStringLiteral("/dev/serial/by-id/usb-A-port0")},
                                         {8, QStringLiteral("/tmp/line 8")}};
    QCOMPARE(loadPortChoices(settings), expected);
}

LINKBENCH_TEST_GUILESS_MAIN(tst_PortMapping)
#include "tst_PortMapping.moc"
