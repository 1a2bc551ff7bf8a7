#include "PtyPair.h"
#include "RunningSim.h"
#include "TestMain.h"
#include "platform/OpenRefusal.h"
#include "platform/PortFinder.h"
#include "platform/PortTexts.h"
#include "platform/QtSerialLine.h"

#include <QProcess>
#include <QTest>

#include <cstdio>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(OpenRefusal)

namespace {

const QString kSettings = QStringLiteral("9600,n,8,2");
// Set in the copy of this test that runs as another user.
const char* const kAsOtherUser = "LINKBENCH_TEST_AS_OTHER_USER";
const QByteArray kRefusalMark = QByteArrayLiteral("refusal: ");

FoundPort foundAdapter()
{
    FoundPort port;
    port.portName = QStringLiteral("ttyUSB1");
    port.systemLocation = QStringLiteral("/dev/ttyUSB1");
    port.description = QStringLiteral("FT232R USB UART");
    port.manufacturer = QStringLiteral("FTDI");
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    return port;
}

FoundPort foundUart()
{
    FoundPort port;
    port.portName = QStringLiteral("ttyS0");
    port.systemLocation = QStringLiteral("/dev/ttyS0");
    return port;
}

// The reason the line gives for opening `device` as COM1.
QString refusalOpening(const QString& device)
{
    QtSerialLine line([device](int) { return device; });
    QString error;
    if (line.open(1, kSettings, &error))
        return QStringLiteral("(opened)");
    return error;
}

} // namespace

class tst_OpenRefusal : public QObject
{
    Q_OBJECT
private slots:
    void refusalText_data();
    void refusalText();
    void permissionRefusedNamesGroupAndCommand();
    void portHeldByAnotherProgramNamesIt();
    void missingDeviceListsThePortsFoundNow();
};

void tst_OpenRefusal::refusalText_data()
{
    QTest::addColumn<OpenRefusal>("refusal");
    QTest::addColumn<QString>("text");

    OpenRefusal permission;
    permission.kind = OpenRefusal::Kind::Permission;
    permission.group = QStringLiteral("dialout");
    permission.userName = QStringLiteral("wang");
    QTest::newRow("permission") << permission
                                << "没有使用该设备的权限。设备属于用户组“dialout”，请运行 sudo "
                                   "usermod -aG dialout wang 加入该组，然后注销并重新登录。";

    OpenRefusal busy;
    busy.kind = OpenRefusal::Kind::Busy;
    QTest::newRow("busy, holder unknown") << busy << "设备正被另一个程序占用，请先关闭该程序。";
    busy.holder = PortHolder{4711, QStringLiteral("minicom")};
    QTest::newRow("busy, holder known")
        << busy << "设备正被另一个程序占用（进程 4711，minicom），请先关闭该程序。";

    OpenRefusal missing;
    missing.kind = OpenRefusal::Kind::Missing;
    QTest::newRow("missing, no port at all")
        << missing << "设备不存在（转换器是否已拔出？）。现在找不到任何串口。";
    missing.foundNow = {foundUart(), foundAdapter()};
    QTest::newRow("missing, two ports found")
        << missing
        << "设备不存在（转换器是否已拔出？）。现在找到的串口：/dev/ttyS0、/dev/ttyUSB1 (FT232R USB "
           "UART, FTDI, 0403:6001)";

    OpenRefusal other;
    other.systemText = QStringLiteral("Input/output error");
    QTest::newRow("anything else keeps the system's words") << other << "Input/output error";
}

void tst_OpenRefusal::refusalText()
{
    QFETCH(OpenRefusal, refusal);
    QFETCH(QString, text);
    QCOMPARE(::refusalText(refusal), text);
}

void tst_OpenRefusal::permissionRefusedNamesGroupAndCommand()
{
    if (qEnvironmentVariableIsSet(kAsOtherUser)) {
        // The copy started below, as user nobody: report what the line says.
        const QString device = qEnvironmentVariable(kAsOtherUser);
        std::printf("%s%s\n", kRefusalMark.constData(),
                    refusalOpening(device).toLocal8Bit().constData());
        return;
    }
    if (::geteuid() != 0)
        QSKIP("needs root, to hand a device to a group and drop to another user");

    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    const QByteArray slave = QFile::encodeName(pty.slaveName());
    const group* dialout = ::getgrnam("dialout");
    QVERIFY(dialout);
    QCOMPARE(::chown(slave.constData(), 0, dialout->gr_gid), 0);
    QCOMPARE(::chmod(slave.constData(), 0660), 0);

    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kAsOtherUser), pty.slaveName());
    copy.setProcessEnvironment(environment);
    copy.start(QStringLiteral("setpriv"),
               {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                QStringLiteral("tst_OpenRefusal"),
                QStringLiteral("permissionRefusedNamesGroupAndCommand")});
    QVERIFY(copy.waitForFinished(30000));
    const QByteArray output = copy.readAllStandardOutput();
    QCOMPARE(copy.exitCode(), 0);
    const qsizetype at = output.indexOf(kRefusalMark);
    QVERIFY2(at >= 0, output.constData());
    const QString said =
        QString::fromLocal8Bit(output.mid(at + kRefusalMark.size()).split('\n').value(0));
    QCOMPARE(said, pty.slaveName() + QStringLiteral(": ") +
                       port_texts::PermissionRefused.arg(QStringLiteral("dialout"),
                                                         QStringLiteral("nobody")));
}

void tst_OpenRefusal::portHeldByAnotherProgramNamesIt()
{
    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    RunningSim sim;
    QVERIFY(sim.start({QStringLiteral("--device"), pty.slaveName(), QStringLiteral("--quiet")}));

    QCOMPARE(refusalOpening(pty.slaveName()),
             pty.slaveName() + QStringLiteral(": ") +
                 port_texts::BusyWithHolder.arg(sim.pid()).arg(QStringLiteral("linkbench-sim")));
}

void tst_OpenRefusal::missingDeviceListsThePortsFoundNow()
{
    const QString device = QStringLiteral("/dev/serial/by-id/usb-linkbench-unplugged-port0");
    OpenRefusal missing;
    missing.kind = OpenRefusal::Kind::Missing;
    missing.foundNow = findRealPorts();
    QCOMPARE(refusalOpening(device), device + QStringLiteral(": ") + ::refusalText(missing));
}

LINKBENCH_TEST_GUILESS_MAIN(tst_OpenRefusal)
#include "tst_OpenRefusal.moc"
