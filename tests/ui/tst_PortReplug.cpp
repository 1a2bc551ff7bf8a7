// An adapter unplugged and plugged back while the window is open: COM1 is
// kept by a stable name (a link such as /dev/serial/by-id/usb-...), which the
// test makes in a folder of its own and points at a pseudo-terminal; pulling
// the adapter is closing that pty and removing the link, plugging it back is a
// new pty (with another number) under the same link name.

#include "ProgramHarness.h"
#include "PtyPair.h"
#include "TestMain.h"
#include "WireText.h"
#include "platform/OpenRefusal.h"
#include "platform/PortChoices.h"
#include "platform/PortFinder.h"
#include "platform/QtSerialLine.h"
#include "ui/ComTest.h"
#include "widgets/PortListControl.h"

#include <QApplication>
#include <QComboBox>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kReadPv = onWire(QStringLiteral("<DC1>00101<ETX>"));

} // namespace

class tst_PortReplug : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void replugKeepsComOnTheAdapter();
};

void tst_PortReplug::initTestCase()
{
    // The choice goes to a settings file of the test's own, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    setApplicationIdentity();
    for (int n = 1; n <= 8; ++n)
        qunsetenv(portEnvironmentVariable(n).constData());
}

void tst_PortReplug::cleanupTestCase()
{
    QSettings settings;
    storePortChoice(settings, 1, QString());
}

void tst_PortReplug::replugKeepsComOnTheAdapter()
{
    QTemporaryDir byId;
    QVERIFY(byId.isValid());
    const QString stableName = byId.filePath(QStringLiteral("usb-LinkBench_RS485_T1-if00-port0"));
    auto first = std::make_unique<PtyPair>();
    QVERIFY2(first->isValid(), qPrintable(first->errorText()));
    QVERIFY(QFile::link(first->slaveName(), stableName));
    {
        QSettings settings;
        storePortChoice(settings, 1, stableName);
    }

    ProgramHarness h({.realLine = true});
    QtSerialLine* line = h.line;
    ComTest& w = h.window();
    const QString toolTip =
        QStringLiteral("COM1 → ") + stableName + QStringLiteral("\n来源：已选择");
    QCOMPARE(w.Combo2->toolTip(), toolTip);

    w.Mnu开始_Click();
    QCOMPARE(first->readExactly(kReadPv.size(), 3000), kReadPv);

    // Pulled: the line fails, the list says so.
    QSignalSpy failures(line, &SerialLine::failed);
    first->closeMaster();
    QVERIFY(failures.wait(3000));
    QVERIFY(!line->isOpen());
    QCOMPARE(w.Combo2->toolTip(), toolTip + QStringLiteral("\n已断开"));
    QVERIFY(h.boxes.requests.isEmpty());

    // Start while it is out: the box says the device is not there.
    QVERIFY(QFile::remove(stableName));
    w.Mnu开始_Click();
    OpenRefusal missing;
    missing.kind = OpenRefusal::Kind::Missing;
    missing.foundNow = findRealPorts();
    QCOMPARE(h.boxes.texts(), QStringList{QStringLiteral("无法打开串口COM1\n") + stableName +
                                          QStringLiteral(": ") + refusalText(missing)});
    QCOMPARE(w.Combo2->toolTip(), toolTip + QStringLiteral("\n已断开"));

    // Plugged back: a new device under the same stable name. The old pty is
    // kept open until then, so that the new one gets another number.
    auto second = std::make_unique<PtyPair>();
    QVERIFY2(second->isValid(), qPrintable(second->errorText()));
    QVERIFY(second->slaveName() != first->slaveName());
    QVERIFY(QFile::link(second->slaveName(), stableName));
    w.Mnu开始_Click();
    QCOMPARE(second->readExactly(kReadPv.size(), 3000), kReadPv);
    QCOMPARE(w.Combo2->toolTip(), toolTip);
    QCOMPARE(h.boxes.requests.size(), 1);
}

LINKBENCH_TEST_MAIN(tst_PortReplug)
#include "tst_PortReplug.moc"
