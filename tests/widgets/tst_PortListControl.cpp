#include "FakeSerialLine.h"
#include "TestMain.h"
#include "catalogue/LineLists.h"
#include "widgets/PortListControl.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

const QString kFtdiStable = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0");

// A desktop PC: one UART that answers and one USB adapter.
QList<FoundPort> portsFound()
{
    FoundPort uart;
    uart.portName = QStringLiteral("ttyS0");
    uart.systemLocation = QStringLiteral("/dev/ttyS0");
    FoundPort ftdi;
    ftdi.portName = QStringLiteral("ttyUSB0");
    ftdi.systemLocation = QStringLiteral("/dev/ttyUSB0");
    ftdi.stableName = kFtdiStable;
    ftdi.description = QStringLiteral("FT232R USB UART");
    ftdi.manufacturer = QStringLiteral("FTDI");
    ftdi.vendorId = 0x0403;
    ftdi.productId = 0x6001;
    return {uart, ftdi};
}

QStringList actionTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("---") : action->text()) +
                     (action->isChecked() ? QStringLiteral(" [x]") : QString());
    return texts;
}

} // namespace

// The port list as the window and the monitor use it: a real combo box of
// COM1..COM8 with the control attached, over a made-up system.
class tst_PortListControl : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void toolTip_data();
    void toolTip();
    void menuListsThePortsFound_data();
    void menuListsThePortsFound();
    void choosing_data();
    void choosing();
    void rightClickShowsTheMenu();
    void lostUntilTheEntryOpensAgain();

private:
    QAction* actionNamed(QMenu& menu, const QString& text);

    std::unique_ptr<QComboBox> m_box;
    PortListControl* m_control = nullptr;
    QMap<int, QString> m_environment;
    QMap<int, QString> m_choices;
    QList<FoundPort> m_found;
    QString m_typed; // what "其他设备…" is answered with
    QMap<QString, QString> m_stableNames;
};

void tst_PortListControl::init()
{
    m_environment.clear();
    m_choices.clear();
    m_found = portsFound();
    m_typed.clear();
    m_stableNames = {{QStringLiteral("/dev/ttyUSB0"), kFtdiStable}};

    m_box = std::make_unique<QComboBox>();
    m_box->addItems(catalogue::portEntries());
    PortListControl::Services services;
    services.mappingInput = [this] {
        PortMappingInput input;
        input.environment = [this](int n) { return m_environment.value(n); };
        input.choices = m_choices;
        input.found = m_found;
        return input;
    };
    services.storeChoice = [this](int n, const QString& device) {
        if (device.isEmpty())
            m_choices.remove(n);
        else
            m_choices.insert(n, device);
    };
    services.askDevicePath = [this](QWidget*, int) { return m_typed; };
    services.stableNameOf = [this](const QString& device) { return m_stableNames.value(device); };
    m_control = new PortListControl(m_box.get(), services);
}

void tst_PortListControl::cleanup()
{
    m_box.reset();
}

QAction* tst_PortListControl::actionNamed(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void tst_PortListControl::toolTip_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("found UART") << 1 << ""
                                << ""
                                << "COM1 → /dev/ttyS0\n来源：自动找到";
    QTest::newRow("found adapter")
        << 2 << ""
        << ""
        << "COM2 → /dev/ttyUSB0 (FT232R USB UART, FTDI, 0403:6001)\n来源：自动找到\n"
           "固定名称：/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0";
    QTest::newRow("environment") << 3 << "/dev/pts/5" << kFtdiStable
                                 << "COM3 → /dev/pts/5\n来源：环境变量 LINKBENCH_COM3";
    QTest::newRow("chosen by stable name")
        << 4 << "" << kFtdiStable
        << "COM4 → /dev/ttyUSB0 (FT232R USB UART, FTDI, 0403:6001)\n来源：已选择\n"
           "固定名称：/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0";
    QTest::newRow("chosen path that is not a port found") << 5 << ""
                                                          << "/tmp/line"
                                                          << "COM5 → /tmp/line\n来源：已选择";
    QTest::newRow("nothing behind the entry") << 8 << ""
                                              << ""
                                              << "COM8 → /dev/ttyS7\n来源：默认";
}

void tst_PortListControl::toolTip()
{
    QFETCH(int, port);
    QFETCH(QString, environment);
    QFETCH(QString, chosen);
    QFETCH(QString, toolTip);

    if (!environment.isEmpty())
        m_environment.insert(port, environment);
    if (!chosen.isEmpty())
        m_choices.insert(port, chosen);
    m_box->setCurrentIndex(port - 1);
    QCOMPARE(m_box->toolTip(), toolTip);
}

void tst_PortListControl::menuListsThePortsFound_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("anyPorts");
    QTest::addColumn<QStringList>("entries");

    // Nothing chosen: rightClickShowsTheMenu().
    QTest::newRow("adapter chosen by stable name")
        << kFtdiStable << true
        << QStringList{"/dev/ttyS0", "/dev/ttyUSB0  FT232R USB UART, FTDI, 0403:6001 [x]", "---",
                       "自动", "其他设备…"};
    QTest::newRow("a typed path is chosen")
        << "/tmp/line" << true
        << QStringList{"/dev/ttyS0", "/dev/ttyUSB0  FT232R USB UART, FTDI, 0403:6001", "---",
                       "自动", "其他设备…"};
    QTest::newRow("no port found")
        << "" << false << QStringList{"（没有找到串口）", "---", "自动 [x]", "其他设备…"};
}

void tst_PortListControl::menuListsThePortsFound()
{
    QFETCH(QString, chosen);
    QFETCH(bool, anyPorts);
    QFETCH(QStringList, entries);

    if (!anyPorts)
        m_found.clear();
    m_box->setCurrentIndex(1);
    if (!chosen.isEmpty())
        m_choices.insert(2, chosen);
    const std::unique_ptr<QMenu> menu = m_control->contextMenu();
    QCOMPARE(actionTexts(*menu), entries);
}

void tst_PortListControl::choosing_data()
{
    QTest::addColumn<QString>("entry"); // the menu entry triggered
    QTest::addColumn<QString>("typed"); // the answer to "其他设备…"
    QTest::addColumn<QString>("kept");  // COM3's choice afterwards, empty for automatic
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("adapter: kept by stable name")
        << "/dev/ttyUSB0  FT232R USB UART, FTDI, 0403:6001"
        << "" << kFtdiStable << "COM3 → /dev/ttyUSB0 (FT232R USB UART, FTDI, 0403:6001)";
    QTest::newRow("UART: kept by its name") << "/dev/ttyS0"
                                            << ""
                                            << "/dev/ttyS0"
                                            << "COM3 → /dev/ttyS0";
    QTest::newRow("automatic forgets the choice") << "自动"
                                                  << ""
                                                  << ""
                                                  << "COM3 → /dev/ttyS2";
    QTest::newRow("typed path with a stable name")
        << "其他设备…"
        << "/dev/ttyUSB0" << kFtdiStable
        << "COM3 → /dev/ttyUSB0 (FT232R USB UART, FTDI, 0403:6001)";
    QTest::newRow("typed path without one") << "其他设备…"
                                            << "/dev/pts/4"
                                            << "/dev/pts/4"
                                            << "COM3 → /dev/pts/4";
    QTest::newRow("typing cancelled keeps the old choice") << "其他设备…"
                                                           << ""
                                                           << "/dev/ttyS9"
                                                           << "COM3 → /dev/ttyS9";
}

void tst_PortListControl::choosing()
{
    QFETCH(QString, entry);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, firstLine);

    m_choices.insert(3, QStringLiteral("/dev/ttyS9")); // an earlier choice
    m_box->setCurrentIndex(2);
    m_typed = typed;
    const std::unique_ptr<QMenu> menu = m_control->contextMenu();
    QAction* action = actionNamed(*menu, entry);
    QVERIFY(action);
    action->trigger();
    QCOMPARE(m_choices.value(3), kept);
    QCOMPARE(m_choices.size(), kept.isEmpty() ? 0 : 1);
    QCOMPARE(m_box->toolTip().section(u'\n', 0, 0), firstLine);
}

void tst_PortListControl::rightClickShowsTheMenu()
{
    m_box->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_box.get()));
    QStringList shown;
    // The menu runs its own event loop: read it and close it from a timer.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = actionTexts(*menu);
            menu->close();
        }
    });
    closer.start(20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            m_box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_box.get(), &event);
    QCOMPARE(shown, (QStringList{"/dev/ttyS0", "/dev/ttyUSB0  FT232R USB UART, FTDI, 0403:6001",
                                 "---", "自动 [x]", "其他设备…"}));
}

void tst_PortListControl::lostUntilTheEntryOpensAgain()
{
    FakeSerialLine line;
    m_control->watchLine(&line);
    const QString com2 = QStringLiteral("COM2 → /dev/ttyUSB0 (FT232R USB UART, FTDI, 0403:6001)\n"
                                        "来源：自动找到\n固定名称：") +
                         kFtdiStable;
    m_box->setCurrentIndex(1);
    QVERIFY(line.open(2, QStringLiteral("9600,n,8,2"), nullptr));
    QCOMPARE(m_box->toolTip(), com2);

    line.fail(QStringLiteral("/dev/ttyUSB0: Resource error"));
    QCOMPARE(m_box->toolTip(), com2 + QStringLiteral("\n已断开"));
    m_box->setCurrentIndex(0);
    QCOMPARE(m_box->toolTip(), QStringLiteral("COM1 → /dev/ttyS0\n来源：自动找到"));
    m_box->setCurrentIndex(1);
    QCOMPARE(m_box->toolTip(), com2 + QStringLiteral("\n已断开"));

    // Another entry opening does not bring COM2 back; COM2 opening does.
    QVERIFY(line.open(1, QStringLiteral("9600,n,8,2"), nullptr));
    QVERIFY(m_control->isLost(2));
    QVERIFY(line.open(2, QStringLiteral("9600,n,8,2"), nullptr));
    QCOMPARE(m_box->toolTip(), com2);
}

LINKBENCH_TEST_MAIN(tst_PortListControl)
#include "tst_PortListControl.moc"
