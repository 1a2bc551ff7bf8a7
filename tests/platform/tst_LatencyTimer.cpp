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
    void lookup_data();
    void lookup();
    void windowsRegistry();
};

void tst_LatencyTimer::lookup_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("sysfs"); // what the fake sysfs tree gives, -1 for nothing
    QTest::addColumn<int>("registry");

    // The trees below hold: ttyUSB0 16, ttyUSB1 "1\n", ttyUSB2 unreadable text;
    // COM3 16 and com7 (as the driver may write it) 1, COM8 without the value.
    QTest::newRow("an FTDI adapter left at 16 ms") << "ttyUSB0" << 16 << -1;
    QTest::newRow("set to 1 ms, with the kernel's line end") << "ttyUSB1" << 1 << -1;
    QTest::newRow("text that is no number") << "ttyUSB2" << -1 << -1;
    QTest::newRow("a UART on the board has no timer") << "ttyS0" << -1 << -1;
    QTest::newRow("Windows: COM3 at 16 ms") << "COM3" << -1 << 16;
    QTest::newRow("Windows: the port's name in another case") << "COM7" << -1 << 1;
    QTest::newRow("Windows: the port without a LatencyTimer value") << "COM8" << -1 << -1;
}

void tst_LatencyTimer::lookup()
{
    QFETCH(QString, port);
    QFETCH(int, sysfs);
    QFETCH(int, registry);

    QTemporaryDir tree;
    for (const auto& [tty, text] :
         {std::pair{"ttyUSB0", "16\n"}, {"ttyUSB1", "1\n"}, {"ttyUSB2", "fast\n"}}) {
        QVERIFY(QDir(tree.path()).mkpath(QString::fromLatin1(tty)));
        QFile file(tree.filePath(QString::fromLatin1(tty) + QStringLiteral("/latency_timer")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    const QMap<QString, QVariantMap> keys = {
        {QStringLiteral("VID_0403+PID_6001+A1A/0000/Device Parameters"),
         {{QStringLiteral("PortName"), QStringLiteral("COM3")},
          {QStringLiteral("LatencyTimer"), 16}}},
        {QStringLiteral("VID_0403+PID_6015+B2A/0000/Device Parameters"),
         {{QStringLiteral("PortName"), QStringLiteral("com7")},
          {QStringLiteral("LatencyTimer"), 1}}},
        {QStringLiteral("VID_0403+PID_6015+C3A/0000/Device Parameters"),
         {{QStringLiteral("PortName"), QStringLiteral("COM8")}}},
    };
    RegistryReader reader;
    reader.subkeys = [&](const QString& key) {
        QStringList below;
        for (const QString& path : keys.keys()) {
            const QString rest = key.isEmpty() ? path : path.mid(key.size() + 1);
            if (key.isEmpty() || path.startsWith(key + u'/'))
                below.append(rest.section(u'/', 0, 0));
        }
        below.removeDuplicates();
        return below;
    };
    reader.value = [&](const QString& key, const QString& name) { return keys[key].value(name); };

    QCOMPARE(latencyFromSysfs(tree.path(), port).value_or(-1), sysfs);
    QCOMPARE(latencyFromRegistry(reader, port).value_or(-1), registry);
}

// The real registry reader, where there is a registry: a made-up FTDI device
// in the key the driver writes (Wine gives the test write access to it).
void tst_LatencyTimer::windowsRegistry()
{
    if (nativePortNaming() != PortNaming::ComNumbers)
        QSKIP("a Windows registry is read on Windows only");
    const QString device = QStringLiteral("VID_0403+PID_6001+LBTEST1A");
    QSettings ftdi(QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS"),
                   QSettings::NativeFormat);
    ftdi.setValue(device + QStringLiteral("/0000/Device Parameters/PortName"),
                  QStringLiteral("COM9"));
    ftdi.setValue(device + QStringLiteral("/0000/Device Parameters/LatencyTimer"), 4);
    ftdi.sync();
    const std::optional<int> found = latencyTimerOf(QStringLiteral("COM9"));
    ftdi.remove(device);
    QCOMPARE(found.value_or(-1), 4);
}

LINKBENCH_TEST_GUILESS_MAIN(tst_LatencyTimer)
#include "tst_LatencyTimer.moc"
