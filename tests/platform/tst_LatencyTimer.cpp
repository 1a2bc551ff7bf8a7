#include "TestMain.h"
#include "platform/LatencyTimer.h"
#include "platform/PortMapping.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

class tst_LatencyTimer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void lookup_data();
    void lookup();
    void windowsRegistry();

private:
    QTemporaryDir m_folder; // a sysfs tree, and a registry kept in an INI file
};

void tst_LatencyTimer::initTestCase()
{
    for (const auto& [tty, text] :
         {std::pair{"ttyUSB0", "16\n"}, {"ttyUSB1", "1\n"}, {"ttyUSB2", "fast\n"}}) {
        QVERIFY(QDir(m_folder.path()).mkpath(QString::fromLatin1(tty)));
        QFile file(m_folder.filePath(QString::fromLatin1(tty) + QStringLiteral("/latency_timer")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
    }
    QSettings ftdibus(m_folder.filePath(QStringLiteral("ftdibus.ini")), QSettings::IniFormat);
    for (const auto& [device, port, ms] : {std::tuple{"VID_0403+PID_6001+A1A", "COM3", 16},
                                           {"VID_0403+PID_6015+B2A", "com7", 1},
                                           {"VID_0403+PID_6015+C3A", "COM8", -1}}) {
        ftdibus.beginGroup(QString::fromLatin1(device) + QStringLiteral("/0000/Device Parameters"));
        ftdibus.setValue(QStringLiteral("PortName"), QString::fromLatin1(port));
        if (ms >= 0)
            ftdibus.setValue(QStringLiteral("LatencyTimer"), ms);
        ftdibus.endGroup();
    }
}

void tst_LatencyTimer::lookup_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("sysfs"); // -1: no timer
    QTest::addColumn<int>("registry");

    QTest::newRow("an FTDI adapter left at 16 ms") << "ttyUSB0" << 16 << -1;
    QTest::newRow("set to 1 ms, with the kernel's line end") << "ttyUSB1" << 1 << -1;
    QTest::newRow("text that is no number") << "ttyUSB2" << -1 << -1;
    QTest::newRow("Windows: COM3 at 16 ms") << "COM3" << -1 << 16;
    QTest::newRow("Windows: the port's name in another case") << "COM7" << -1 << 1;
    QTest::newRow("Windows: a port without the value, a UART") << "COM8" << -1 << -1;
}

void tst_LatencyTimer::lookup()
{
    QFETCH(QString, port);
    QFETCH(int, sysfs);
    QFETCH(int, registry);
    QSettings ftdibus(m_folder.filePath(QStringLiteral("ftdibus.ini")), QSettings::IniFormat);
    QCOMPARE(latencyFromSysfs(m_folder.path(), port).value_or(-1), sysfs);
    QCOMPARE(latencyFromRegistry(ftdibus, port).value_or(-1), registry);
}

// The real registry: a made-up FTDI device in the driver's key (Wine lets the test write there).
void tst_LatencyTimer::windowsRegistry()
{
    if (nativePortNaming() != PortNaming::ComNumbers)
        QSKIP("a Windows registry is read on Windows only");
    QSettings ftdibus(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS"),
        QSettings::NativeFormat);
    const QString device = QStringLiteral("VID_0403+PID_6001+LBTEST1A");
    ftdibus.setValue(device + QStringLiteral("/0000/Device Parameters/PortName"),
                     QStringLiteral("COM9"));
    ftdibus.setValue(device + QStringLiteral("/0000/Device Parameters/LatencyTimer"), 4);
    ftdibus.sync();
    const std::optional<int> found = latencyTimerOf(QStringLiteral("COM9"));
    ftdibus.remove(device);
    QCOMPARE(found.value_or(-1), 4);
}

LINKBENCH_TEST_GUILESS_MAIN(tst_LatencyTimer)
#include "tst_LatencyTimer.moc"
