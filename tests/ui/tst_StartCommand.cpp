// The Start command "通讯(&S)" and ManControl against a recording serial
// line: the exact bytes of each frame composed from the window's selections,
// the order of the port calls, and the cases that must send nothing.

#include "ProgramHarness.h"
#include "TestMain.h"
#include "WireText.h"

#include <QTimer>

namespace {

const QString kOpenCom1 = QStringLiteral("open 1 9600,n,8,2");
const QString kDc1At001 = QStringLiteral("write <DC1>00101<ETX>");

} // namespace

class tst_StartCommand : public QObject
{
    Q_OBJECT

private slots:
    void framesFromTheSelections_data();
    void framesFromTheSelections();
    void badValueSendsNothing_data();
    void badValueSendsNothing();
    void badAddressSendsNothing_data();
    void badAddressSendsNothing();
    void unformattedAddressIsFormattedFirst();
    void portChangeClosesTheOldPortFirst();
    void twoStartsSendTheSameBytesTwice();
    void portThatCannotOpenSendsNothing();
};

void tst_StartCommand::framesFromTheSelections_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("parameter"); // -1 keeps what the function list preselected
    QTest::addColumn<QString>("value"); // empty keeps the box as it is
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<QString>("funcCode");

    QTest::newRow("DC1 at 001, channel 01") << 0 << "001" << 1 << -1 << ""
                                            << "<DC1>00101<ETX>"
                                            << "<DC1>";
    QTest::newRow("DC2, parameter 11:分读号") << 1 << "001" << 1 << -1 << ""
                                              << "<DC2>00101<US>11<ETX>"
                                              << "<DC2>";
    QTest::newRow("DC3, parameter 12, value 100.0") << 2 << "001" << 1 << 11 << "100.0"
                                                    << "<DC3>00101<US>12<US>0100.0<US>00740<ETX>"
                                                    << "<DC3>";
    QTest::newRow("DC4 at 005, parameter 73") << 3 << "005" << 1 << -1 << ""
                                              << "<DC4>05<DC2>00101<US>73<ETX>"
                                              << "<DC4>";
    QTest::newRow("DC4 at 120, parameter 73") << 3 << "120" << 1 << -1 << ""
                                              << "<DC4>120<DC2>00101<US>73<ETX>"
                                              << "<DC4>";
    QTest::newRow("DC1 at 255, channel 64") << 0 << "255" << 64 << -1 << ""
                                            << "<DC1>25564<ETX>"
                                            << "<DC1>";
}

void tst_StartCommand::framesFromTheSelections()
{
    QFETCH(int, function);
    QFETCH(QString, address);
    QFETCH(int, channel);
    QFETCH(int, parameter);
    QFETCH(QString, value);
    QFETCH(QString, bytes);
    QFETCH(QString, funcCode);
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();
    w.Combo5->setCurrentIndex(function);
    w.Combo7->setCurrentIndex(channel);
    if (parameter >= 0)
        w.Combo8->setCurrentIndex(parameter);
    if (!value.isEmpty())
        ProgramHarness::typeInto(w.Combo9, value);
    ProgramHarness::typeInto(w.Combo6, address);
    QTest::keyClick(w.Combo6->lineEdit(), Qt::Key_Tab);
    QVERIFY(h.boxes.requests.isEmpty());

    w.Mnu开始->trigger();

    QCOMPARE(h.fake->calls(), (QStringList{kOpenCom1, "clear", "write " + bytes}));
    QVERIFY(h.fake->isOpen());
    QCOMPARE(visible(h.vars().FuncCode), funcCode);
    QCOMPARE(visible(h.vars().SentFrame), bytes);
    QCOMPARE(h.vars().StampText, QStringLiteral(" ◆◆  测试时间:2026-12-7 6:03:46"));
    QVERIFY(w.Timer2->isActive());
    QVERIFY(h.boxes.requests.isEmpty());
    QVERIFY(w.transcript().isEmpty()); // nothing is written at send time
}

void tst_StartCommand::badValueSendsNothing_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<bool>("portOpenBefore");
    for (int function = 0; function < 4; ++function) {
        QTest::addRow("function %d, port closed", function) << function << false;
        QTest::addRow("function %d, port open", function) << function << true;
    }
}

void tst_StartCommand::badValueSendsNothing()
{
    QFETCH(int, function);
    QFETCH(bool, portOpenBefore);
    ProgramHarness h;
    ComTest& w = h.window();
    if (portOpenBefore)
        w.Mnu开始->trigger();
    const ModuleVars before = h.vars();
    h.fake->forgetCalls();
    w.Combo5->setCurrentIndex(function);
    // The text may stand in a disabled box: the operator typed it before
    // switching to a function without a value.
    w.Combo9->setEditText(QStringLiteral("abc"));

    w.Mnu开始->trigger();

    QCOMPARE(h.boxes.texts(), QStringList{QStringLiteral("输入错误！")});
    QCOMPARE(h.boxes.requests.first().title, QStringLiteral("LinkBench"));
    QCOMPARE(h.boxes.requests.first().buttons, QMessageBox::Ok);
    QVERIFY(h.fake->calls().isEmpty());
    QCOMPARE(h.fake->isOpen(), portOpenBefore);
    QCOMPARE(h.vars().FuncCode, before.FuncCode);
    QCOMPARE(h.vars().SentFrame, before.SentFrame);
    QCOMPARE(h.vars().StampText, before.StampText);
}

void tst_StartCommand::badAddressSendsNothing_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("portOpenBefore");
    for (const char* address : {"0", "256", "300", "", "abc"}) {
        QTest::addRow("%s, port closed", address) << address << false;
        QTest::addRow("%s, port open", address) << address << true;
    }
}

void tst_StartCommand::badAddressSendsNothing()
{
    QFETCH(QString, address);
    QFETCH(bool, portOpenBefore);
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();
    if (portOpenBefore)
        w.Mnu开始->trigger();
    const ModuleVars before = h.vars();
    h.fake->forgetCalls();
    // Typed, then the menu chosen at once: the box never lost the focus.
    ProgramHarness::typeInto(w.Combo6, address);
    w.Combo5->setFocus(); // the focus is elsewhere when the command is chosen
    h.boxes.requests.clear();

    w.Mnu开始->trigger();

    QCOMPARE(h.boxes.texts(), QStringList{QStringLiteral("请输入001-255之间的数字")});
    QCOMPARE(h.boxes.requests.first().title, QStringLiteral("LinkBench"));
    QCOMPARE(QApplication::focusWidget(), w.Combo6);
    QCOMPARE(w.Combo6->currentText(), address);
    QVERIFY(h.fake->calls().isEmpty());
    QCOMPARE(h.fake->isOpen(), portOpenBefore);
    QCOMPARE(h.vars().InstrAddr, before.InstrAddr);
    QCOMPARE(h.vars().SentFrame, before.SentFrame);
    QCOMPARE(w.Timer2->isActive(), portOpenBefore);
}

void tst_StartCommand::unformattedAddressIsFormattedFirst()
{
    ProgramHarness h;
    ComTest& w = h.window();
    w.Combo6->setEditText(QStringLiteral("7"));
    w.Mnu开始->trigger();
    QCOMPARE(w.Combo6->currentText(), QStringLiteral("007"));
    QCOMPARE(h.fake->calls().last(), QStringLiteral("write <DC1>00701<ETX>"));
    QCOMPARE(h.vars().InstrAddr, QStringLiteral("007"));
    QVERIFY(h.boxes.requests.isEmpty());
}

void tst_StartCommand::portChangeClosesTheOldPortFirst()
{
    ProgramHarness h;
    ComTest& w = h.window();
    w.Mnu开始->trigger();
    w.Combo2->setCurrentIndex(2);
    w.Combo3->setCurrentIndex(6);
    w.Mnu开始->trigger();
    QCOMPARE(h.fake->calls(), (QStringList{kOpenCom1, "clear", kDc1At001, "close",
                                           "open 3 56000,n,8,2", "clear", kDc1At001}));
}

void tst_StartCommand::twoStartsSendTheSameBytesTwice()
{
    ProgramHarness h;
    ComTest& w = h.window();
    w.Combo5->setCurrentIndex(1);
    w.Mnu开始->trigger();
    QCOMPARE(h.vars().StampText, QStringLiteral(" ◆◆  测试时间:2026-12-7 6:03:46"));
    h.now = QDateTime(QDate(2027, 1, 9), QTime(14, 5, 7));
    w.Mnu开始->trigger();

    QCOMPARE(h.fake->writes().size(), 2);
    QCOMPARE(h.fake->writes().at(0), h.fake->writes().at(1));
    QCOMPARE(h.fake->writes().at(0), onWire("<DC2>00101<US>11<ETX>"));
    QCOMPARE(h.fake->calls().mid(3),
             (QStringList{"close", kOpenCom1, "clear", "write <DC2>00101<US>11<ETX>"}));
    QCOMPARE(h.vars().StampText, QStringLiteral(" ◆◆  测试时间:2027-1-9 14:05:07"));
    QVERIFY(w.Timer2->isActive());
    QVERIFY(w.Timer2->remainingTime() > 2000); // counted afresh from the second send
}

void tst_StartCommand::portThatCannotOpenSendsNothing()
{
    ProgramHarness h;
    ComTest& w = h.window();
    w.Combo2->setCurrentIndex(7);
    h.fake->refuseOpen(QStringLiteral("/dev/ttyS7: No such file or directory"));

    w.Mnu开始->trigger();

    QCOMPARE(h.boxes.requests.size(), 1);
    const MessageRequest& box = h.boxes.requests.first();
    QCOMPARE(box.title, QStringLiteral("LinkBench"));
    QCOMPARE(box.text, QStringLiteral("无法打开串口COM8\n/dev/ttyS7: No such file or directory"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.buttons, QMessageBox::Ok);
    QCOMPARE(h.fake->calls(), QStringList{"open 8 9600,n,8,2"});
    QVERIFY(!h.fake->isOpen());
    QVERIFY(!w.Timer2->isActive());
    QVERIFY(w.transcript().isEmpty());
    // The variables keep describing the previous command (here: none).
    QCOMPARE(h.vars().FuncCode, QString());
    QCOMPARE(h.vars().SentFrame, QString());
    QCOMPARE(h.vars().StampText, QString());
    QCOMPARE(h.vars().InstrAddr, QStringLiteral("001"));

    // A reply arriving now is not read: no command was sent.
    h.fake->deliver(onWire("<STX>xx<ETB>"));
    QVERIFY(w.transcript().isEmpty());

    // Once the device is there, the next Start opens it.
    h.fake->refuseOpen(QString());
    h.fake->forgetCalls();
    w.Mnu开始->trigger();
    QCOMPARE(h.fake->calls(), (QStringList{"open 8 9600,n,8,2", "clear", kDc1At001}));
    QCOMPARE(h.boxes.requests.size(), 1);
    QVERIFY(w.Timer2->isActive());
}

LINKBENCH_TEST_MAIN(tst_StartCommand)
#include "tst_StartCommand.moc"
