#include "TestMain.h"
#include "monitor/MonitorWindow.h"
#include "monitor/SetupPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The set-up panel driven with the keyboard and the mouse: refusals where the
// entry is typed, the fields a function uses, the port's device in the
// tooltip, and the set-up remembered from one window to the next.
class tst_MonitorSetupPanel : public QObject
{
    Q_OBJECT

private slots:
    void typedEntries_data();
    void typedEntries();
    void functionChoosesItsFields_data();
    void functionChoosesItsFields();
    void portTooltipNamesTheDevice_data();
    void portTooltipNamesTheDevice();
    void setupIsRememberedBetweenRuns();
    void exportToAMissingFolderIsRefused_data();
    void exportToAMissingFolderIsRefused();
};

void tst_MonitorSetupPanel::typedEntries_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("addresses");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("refusal"); // empty: accepted

    QTest::newRow("ranges") << 0 << u"COM1"_s << u"1-11,15"_s << u"0"_s << QString();
    QTest::newRow("address 0") << 0 << u"COM1"_s << u"0"_s << u"0"_s
                               << u"请输入001-255之间的数字"_s;
    QTest::newRow("address 256 in a range")
        << 0 << u"COM1"_s << u"250-256"_s << u"0"_s << u"请输入001-255之间的数字"_s;
    QTest::newRow("range backwards")
        << 1 << u"COM1"_s << u"9-3"_s << u"0"_s << u"请输入001-255之间的数字"_s;
    QTest::newRow("write of a word") << 2 << u"COM1"_s << u"1"_s << u"abc"_s << u"输入错误！"_s;
    QTest::newRow("write of a number") << 2 << u"COM1"_s << u"1"_s << u"-12.5"_s << QString();
    QTest::newRow("read ignores the value box")
        << 1 << u"COM1"_s << u"1"_s << u"abc"_s << QString();
    QTest::newRow("device path") << 0 << u"/dev/ttyUSB0"_s << u"3"_s << u"0"_s << QString();
    QTest::newRow("no port") << 0 << u""_s << u"3"_s << u"0"_s
                             << u"请选择COM1-COM8或输入设备路径"_s;
}

void tst_MonitorSetupPanel::typedEntries()
{
    QFETCH(int, function);
    QFETCH(QString, port);
    QFETCH(QString, addresses);
    QFETCH(QString, value);
    QFETCH(QString, refusal);

    SetupPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.functionBox()->setFocus();
    for (int i = 0; i < function; ++i)
        QTest::keyClick(panel.functionBox(), Qt::Key_Down);
    panel.portBox()->lineEdit()->clear();
    QTest::keyClicks(panel.portBox()->lineEdit(), port);
    panel.addressEdit()->clear();
    QTest::keyClicks(panel.addressEdit(), addresses);
    QTest::keyClick(panel.addressEdit(), Qt::Key_Return);
    if (panel.valueEdit()->isEnabled()) {
        panel.valueEdit()->clear();
        QTest::keyClicks(panel.valueEdit(), value);
        QTest::keyClick(panel.valueEdit(), Qt::Key_Return);
    }

    QCOMPARE(panel.messageLabel()->text(), refusal);
    QCOMPARE(panel.messageLabel()->isVisible(), !refusal.isEmpty());
    QCOMPARE(panel.startButton()->isEnabled(), refusal.isEmpty());
    QSignalSpy started(&panel, &SetupPanel::startRequested);
    QTest::mouseClick(panel.startButton(), Qt::LeftButton);
    QCOMPARE(started.size(), refusal.isEmpty() ? 1 : 0);
    if (!started.isEmpty()) {
        const MonitorSetup setup = started[0][0].value<MonitorSetup>();
        QCOMPARE(setup.addresses, addresses);
        QCOMPARE(setup.port, port);
        QCOMPARE(setup.functionIndex, function);
    }
}

void tst_MonitorSetupPanel::functionChoosesItsFields_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("then");
    QTest::addColumn<bool>("parameterOn");
    QTest::addColumn<bool>("valueOn");
    QTest::addColumn<QString>("parameter");

    QTest::newRow("read PV") << 0 << 0 << false << false << u"11:分读号 "_s;
    QTest::newRow("read a parameter") << 0 << 1 << true << false << u"11:分读号 "_s;
    QTest::newRow("write a parameter") << 0 << 2 << true << true << u"11:分读号 "_s;
    QTest::newRow("HBX request") << 0 << 3 << true << true << u"73:读HBX所挂接仪表瞬时值"_s;
    // Unlike the main window, a read of the process value turns the value box
    // off again: no value goes into its frame.
    QTest::newRow("write, then read PV") << 2 << 0 << false << false << u"11:分读号 "_s;
}

void tst_MonitorSetupPanel::functionChoosesItsFields()
{
    QFETCH(int, first);
    QFETCH(int, then);
    QFETCH(bool, parameterOn);
    QFETCH(bool, valueOn);
    QFETCH(QString, parameter);

    SetupPanel panel;
    panel.show();
    for (int function : {first, then}) {
        panel.functionBox()->setFocus();
        QTest::keyClick(panel.functionBox(), Qt::Key_Home);
        for (int i = 0; i < function; ++i)
            QTest::keyClick(panel.functionBox(), Qt::Key_Down);
    }
    QCOMPARE(panel.functionBox()->currentIndex(), then);
    QCOMPARE(panel.parameterBox()->isEnabled(), parameterOn);
    QCOMPARE(panel.valueEdit()->isEnabled(), valueOn);
    QCOMPARE(panel.parameterBox()->currentText(), parameter);
}

void tst_MonitorSetupPanel::portTooltipNamesTheDevice_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("tooltip");

    // An entry's tooltip is the main window's, which names the device and its source.
    QTest::newRow("mapped by the environment") << u"COM3"_s << u"COM3 → /dev/ttyUSB7"_s;
    QTest::newRow("typed in small letters") << u"com3"_s << u"COM3 → /dev/ttyUSB7"_s;
    QTest::newRow("a device path typed") << u"/dev/ttyACM0"_s << u"/dev/ttyACM0"_s;
}

void tst_MonitorSetupPanel::portTooltipNamesTheDevice()
{
    QFETCH(QString, port);
    QFETCH(QString, tooltip);
    qputenv("LINKBENCH_COM3", "/dev/ttyUSB7");
    SetupPanel panel;
    panel.portBox()->lineEdit()->clear();
    QTest::keyClicks(panel.portBox()->lineEdit(), port);
    // The tooltip is asked for as hovering asks for it.
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), panel.portBox()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(panel.portBox(), &hover);
    QCOMPARE(panel.portBox()->toolTip().section(u'\n', 0, 0), tooltip);
}

void tst_MonitorSetupPanel::setupIsRememberedBetweenRuns()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(u"monitor.ini"_s), QSettings::IniFormat);
    MonitorSetup chosen;
    chosen.port = u"/dev/ttyUSB3"_s;
    chosen.lineSettings = u"56000,n,8,2"_s;
    chosen.functionIndex = 2;
    chosen.addresses = u"2-4,9"_s;
    chosen.channel = u"90"_s;
    chosen.parameterPosition = 11;
    chosen.value = u"12.5"_s;
    chosen.intervalMs = 250;
    chosen.timeoutMs = 800;
    chosen.checkField = false;
    {
        MonitorWindow window(settings);
        window.show();
        window.setupPanel()->setSetup(chosen);
        window.pages()->setCurrentIndex(2);
        window.close();
    }
    MonitorWindow again(settings);
    QCOMPARE(again.setupPanel()->setup(), chosen);
    QCOMPARE(again.pages()->currentIndex(), 2);
    QVERIFY(again.setupPanel()->parameterBox()->isEnabled());
    QVERIFY(again.setupPanel()->valueEdit()->isEnabled());
}

void tst_MonitorSetupPanel::exportToAMissingFolderIsRefused_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("filter");
    QTest::newRow("CSV") << u"导出 CSV(&C)..."_s << u"CSV 文件 (*.csv)"_s;
    QTest::newRow("PDF report") << u"导出报告 PDF(&P)..."_s << u"PDF 文件 (*.pdf)"_s;
}

// The 文件 menu asks the platform's save dialog for the file, and a file that
// cannot be written is refused in the platform's box.
void tst_MonitorSetupPanel::exportToAMissingFolderIsRefused()
{
    QFETCH(QString, command);
    QFETCH(QString, filter);
    QTemporaryDir dir;
    QSettings settings(dir.filePath(u"monitor.ini"_s), QSettings::IniFormat);
    const QString path = dir.filePath(u"missing/run"_s);
    QList<SaveDialogRequest> dialogs;
    QList<MessageRequest> boxes;
    PlatformServices services = realPlatformServices();
    services.saveDialog = [&](QWidget*, const SaveDialogRequest& request) {
        dialogs << request;
        return path;
    };
    services.messageBox = [&](QWidget*, const MessageRequest& request) {
        boxes << request;
        return QMessageBox::Ok;
    };
    MonitorWindow window(settings, services);
    QAction* action = nullptr;
    for (QAction* menu : window.menuBar()->actions()) {
        for (QAction* item : menu->menu()->actions())
            action = item->text() == command ? item : action;
    }
    QVERIFY(action);
    action->trigger();
    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs[0].title, command);
    QCOMPARE(dialogs[0].nameFilters, QStringList{filter});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes[0].title, u"QL系列仪表链路监测"_s);
    QCOMPARE(boxes[0].text, u"无法写入文件 %1：文件夹不存在"_s.arg(path));
    QVERIFY(!QFileInfo::exists(dir.filePath(u"missing"_s)));
}

LINKBENCH_TEST_MAIN(tst_MonitorSetupPanel)
#include "tst_MonitorSetupPanel.moc"
