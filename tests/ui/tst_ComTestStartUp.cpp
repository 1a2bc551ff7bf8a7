// The window as start-up leaves it: controls, texts, lists, layout, fonts,
// menu bar, keyboard order, and the exit confirmation.

#include "ProgramHarness.h"
#include "TestMain.h"
#include "WireText.h"
#include "ui/LinkLabel.h"
#include "ui/SelectionHandlers.h"
#include "ui/TranscriptPane.h"

#include <QAbstractItemView>
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

namespace {

QStringList entriesOf(const QComboBox* box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    return entries;
}

QStringList numbered(int first, int last, int width)
{
    QStringList list;
    for (int i = first; i <= last; ++i)
        list << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return list;
}

// Counts the wheel events that reach a widget.
class WheelCounter : public QObject
{
public:
    int wheels = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        wheels += event->type() == QEvent::Wheel;
        return false;
    }
};

} // namespace

class tst_ComTestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void selectionsAfterStartUp();
    void listEntries_data();
    void listEntries();
    void functionHandlerRunsOnceBeforeTheWindowShows();
    void captions_data();
    void captions();
    void captionColoursOverThePicture();
    void fonts_data();
    void fonts();
    void placement_data();
    void placement();
    void windowIsFixedCentredAndHasItsIcon();
    void menuBar();
    void barCommandsActWithoutOpeningAMenu();
    void helpShortcuts_data();
    void helpShortcuts();
    void keyboardOrder_data();
    void keyboardOrder();
    void portTooltipNamesTheDevice();
    void wheelTurnsOnlyTheFocusedList_data();
    void wheelTurnsOnlyTheFocusedList();
    void exitConfirmation_data();
    void exitConfirmation();
    void yesEndsTheEventLoop();
    void answeringNoKeepsEverythingAndAsksAgain();
};

void tst_ComTestStartUp::selectionsAfterStartUp()
{
    ProgramHarness h;
    ComTest& w = h.window();
    QCOMPARE(w.Combo2->currentIndex(), 0);
    QCOMPARE(w.Combo2->currentText(), QStringLiteral("COM1"));
    QCOMPARE(w.Combo3->currentIndex(), 3);
    QCOMPARE(w.Combo3->currentText(), QStringLiteral("9600,n,8,2"));
    QCOMPARE(w.Combo7->currentIndex(), 1);
    QCOMPARE(w.Combo7->currentText(), QStringLiteral("01"));
    QCOMPARE(w.Combo6->currentIndex(), 0);
    QCOMPARE(w.Combo6->currentText(), QStringLiteral("001"));
    QCOMPARE(w.Combo5->currentIndex(), 0);
    QCOMPARE(w.Combo5->currentText(), QStringLiteral("读PV(DC1)"));
    QCOMPARE(w.Combo9->currentText(), QStringLiteral("00000.0"));
    QVERIFY(!w.Combo9->isEnabled());
    QCOMPARE(w.Combo8->currentIndex(), -1);
    QCOMPARE(w.Combo8->currentText(), QString());
    QVERIFY(!w.Combo8->isEnabled());

    QVERIFY(w.transcript().isEmpty());
    QCOMPARE(w.REC1->toPlainText(), QString());
    QVERIFY(!w.Timer2->isActive());
    QCOMPARE(w.Timer2->interval(), 3000);
    QVERIFY(h.fake->calls().isEmpty()); // the port stays closed until the first Start
    QVERIFY(!h.fake->isOpen());
    QCOMPARE(h.vars().FuncCode, QString());
    QCOMPARE(h.vars().InstrAddr, QStringLiteral("001"));
    QCOMPARE(h.vars().ChannelNo, QStringLiteral("01"));
    QVERIFY(h.boxes.requests.isEmpty());
    QVERIFY(w.isVisible());
    QCOMPARE(QApplication::focusWidget(), w.Combo5);
}

void tst_ComTestStartUp::listEntries_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("editable");

    QTest::newRow("function list")
        << "Combo5" << QStringList{"读PV(DC1)", "读参数(DC2)", "写参数(DC3)", "读写HBX(DC4)"}
        << false;
    QTest::newRow("port list") << "Combo2" << QStringList{"COM1", "COM2", "COM3", "COM4",
                                                          "COM5", "COM6", "COM7", "COM8"}
                               << false;
    QTest::newRow("line settings, the last 56000")
        << "Combo3" << QStringList{"1200,n,8,2",  "2400,n,8,2",  "4800,n,8,2", "9600,n,8,2",
                                   "19200,n,8,2", "38400,n,8,2", "56000,n,8,2"}
        << false;
    QTest::newRow("address box 001 to 011") << "Combo6" << numbered(1, 11, 3) << true;
    QTest::newRow("channels 00 to 64 then 90")
        << "Combo7" << numbered(0, 64, 2) + QStringList{"90"} << false;
    QTest::newRow("value box without entries") << "Combo9" << QStringList{} << true;
}

void tst_ComTestStartUp::listEntries()
{
    QFETCH(QString, box);
    QFETCH(QStringList, expected);
    QFETCH(bool, editable);
    ProgramHarness h;
    auto* list = h.window().findChild<QComboBox*>(box);
    QVERIFY(list);
    QCOMPARE(entriesOf(list), expected);
    QCOMPARE(list->isEditable(), editable);
    // The open list shows every entry whole, however narrow the closed box.
    for (const QString& entry : expected)
        QVERIFY(list->view()->minimumWidth() > list->fontMetrics().horizontalAdvance(entry));
    if (editable) {
        QCOMPARE(list->completer(), nullptr); // typed text is taken as typed
        QCOMPARE(list->insertPolicy(), QComboBox::NoInsert);
    }
}

void tst_ComTestStartUp::functionHandlerRunsOnceBeforeTheWindowShows()
{
    ProgramHarness h({.startUp = false});
    h.module->createWindow();
    ComTest& w = h.window();
    QSignalSpy functionPicks(w.Combo5, &QComboBox::currentIndexChanged);
    QCOMPARE(w.Combo5->currentIndex(), -1);

    h.module->selectDefaults();
    QCOMPARE(functionPicks.size(), 1);
    QVERIFY(!w.isVisible());
    // The parameter list got no default and the first function left it disabled.
    QCOMPARE(w.Combo8->currentIndex(), -1);
    QVERIFY(!w.Combo8->isEnabled());

    h.module->showWindow();
    QVERIFY(w.isVisible());
    QCOMPARE(functionPicks.size(), 1);
}

void tst_ComTestStartUp::captions_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("centred");

    QTest::newRow("function") << "Label5" << QStringLiteral("功能选择：") << false;
    QTest::newRow("value") << "Label10" << QStringLiteral("参数值：") << false;
    QTest::newRow("address") << "Label7" << QStringLiteral("仪表地址：") << false;
    QTest::newRow("port, spaced") << "Label1" << QStringLiteral("通 讯 口：") << true;
    QTest::newRow("parameter, spaced") << "Label9" << QStringLiteral("参 数 号：") << false;
    QTest::newRow("channel") << "Label8" << QStringLiteral("仪表通道：") << false;
    QTest::newRow("speed, spaced") << "Label2" << QStringLiteral("波 特 率：") << true;
    QTest::newRow("web link") << "Label14" << QStringLiteral("https://www.lanvey.example") << false;
    QTest::newRow("mail link") << "Label15" << QStringLiteral("support@lanvey.example") << false;
}

void tst_ComTestStartUp::captions()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(bool, centred);
    ProgramHarness h;
    auto* widget = h.window().findChild<QLabel*>(label);
    QVERIFY(widget);
    QCOMPARE(widget->text(), text);
    QCOMPARE(bool(widget->alignment() & Qt::AlignHCenter), centred);
    QVERIFY(widget->isVisible());
    // The whole text fits the label.
    QVERIFY2(widget->width() >= widget->fontMetrics().horizontalAdvance(text),
             qPrintable(QString::number(widget->width())));
}

void tst_ComTestStartUp::captionColoursOverThePicture()
{
    ProgramHarness h;
    ComTest& w = h.window();
    QCOMPARE(w.windowTitle(), QStringLiteral("QL系列仪表通讯测试"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    for (QLabel* label : {w.Label5, w.Label10, w.Label7, w.Label1, w.Label9, w.Label8, w.Label2}) {
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(label->parentWidget(), w.Frame2);
    }
    for (QLabel* link : {static_cast<QLabel*>(w.Label14), static_cast<QLabel*>(w.Label15)}) {
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(!link->autoFillBackground());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->parentWidget(), w.SSTab1);
    }
    QVERIFY(w.Image1->hasScaledContents());
    QVERIFY(!w.Image1->pixmap().isNull());
    QCOMPARE(w.Image1->parentWidget(), w.Frame2);
    // Each list lies above the blank end of its caption's last character.
    const QPoint overlap = w.Combo5->geometry().topLeft() + QPoint(1, 5);
    QWidget* atOverlap = w.Frame2->childAt(overlap);
    QVERIFY(atOverlap == w.Combo5 || w.Combo5->isAncestorOf(atOverlap));

    QCOMPARE(w.SSTab1->count(), 1);
    QCOMPARE(w.SSTab1->tabText(0), QStringLiteral("测试信息"));
    QCOMPARE(w.REC1->parentWidget(), w.SSTab1);
}

void tst_ComTestStartUp::fonts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<qreal>("points");

    for (const char* name :
         {"Label5", "Label10", "Label7", "Label1", "Label9", "Label8", "Label2", "Combo5", "Combo9",
          "Combo6", "Combo8", "Combo7", "Combo2", "Combo3", "SSTab1", "REC1"})
        QTest::newRow(name) << name << 10.5;
    QTest::newRow("Label14") << "Label14" << 14.25;
    QTest::newRow("Label15") << "Label15" << 14.25;
}

void tst_ComTestStartUp::fonts()
{
    QFETCH(QString, control);
    QFETCH(qreal, points);
    ProgramHarness h;
    auto* widget = h.window().findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->font().family(), QStringLiteral("宋体"));
    QCOMPARE(widget->font().pointSizeF(), points);
}

void tst_ComTestStartUp::placement_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("pixels"); // the twips of the layout divided by 15
    QTest::addColumn<bool>("sizeFixed");

    QTest::newRow("Frame2") << "Frame2" << QRect(0, 0, 617, 89) << true;
    QTest::newRow("Image1") << "Image1" << QRect(0, 8, 615, 79) << true;
    QTest::newRow("Combo5") << "Combo5" << QRect(72, 16, 105, 22) << true;
    QTest::newRow("Combo9") << "Combo9" << QRect(232, 16, 89, 22) << true;
    QTest::newRow("Combo6") << "Combo6" << QRect(392, 16, 57, 22) << true;
    QTest::newRow("Combo2") << "Combo2" << QRect(528, 16, 81, 22) << true;
    QTest::newRow("Combo8") << "Combo8" << QRect(72, 48, 249, 22) << true;
    QTest::newRow("Combo7") << "Combo7" << QRect(392, 48, 57, 22) << true;
    QTest::newRow("Combo3") << "Combo3" << QRect(528, 48, 81, 22) << true;
    QTest::newRow("SSTab1") << "SSTab1" << QRect(0, 96, 625, 329) << true;
    QTest::newRow("REC1") << "REC1" << QRect(8, 30, 609, 257) << true;
    // Labels: position fixed, at least the layout's size (larger where the text needs it).
    QTest::newRow("Label5") << "Label5" << QRect(8, 19, 0, 17) << false;
    QTest::newRow("Label10") << "Label10" << QRect(184, 19, 0, 17) << false;
    QTest::newRow("Label7") << "Label7" << QRect(328, 19, 0, 17) << false;
    QTest::newRow("Label1") << "Label1" << QRect(456, 20, 73, 17) << false;
    QTest::newRow("Label9") << "Label9" << QRect(8, 48, 0, 17) << false;
    QTest::newRow("Label8") << "Label8" << QRect(328, 51, 0, 17) << false;
    QTest::newRow("Label2") << "Label2" << QRect(456, 52, 73, 17) << false;
    QTest::newRow("Label14") << "Label14" << QRect(16, 296, 233, 17) << false;
}

void tst_ComTestStartUp::placement()
{
    QFETCH(QString, control);
    QFETCH(QRect, pixels);
    QFETCH(bool, sizeFixed);
    ProgramHarness h;
    auto* widget = h.window().findChild<QWidget*>(control);
    QVERIFY(widget);
    if (sizeFixed) {
        QCOMPARE(widget->geometry(), pixels);
    } else {
        QCOMPARE(widget->pos(), pixels.topLeft());
        QVERIFY(widget->width() >= pixels.width());
        QVERIFY(widget->height() >= pixels.height());
    }
}

void tst_ComTestStartUp::windowIsFixedCentredAndHasItsIcon()
{
    ProgramHarness h;
    ComTest& w = h.window();
    QCOMPARE(w.centralWidget()->size(), QSize(629, 434)); // 9435 x 6510 twips
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.height(), 434 + w.menuBar()->height());
    QVERIFY(!w.windowIcon().isNull());
    const QPoint screenCentre = w.screen()->availableGeometry().center();
    QCOMPARE(w.frameGeometry().center(), screenCentre);
    // The labels of the links do not overlap.
    QVERIFY(!w.Label14->geometry().intersects(w.Label15->geometry()));
    QVERIFY(w.SSTab1->rect().contains(w.Label15->geometry()));
}

void tst_ComTestStartUp::menuBar()
{
    ProgramHarness h;
    ComTest& w = h.window();
    const QList<QAction*> bar = w.menuBar()->actions();
    QCOMPARE(bar.size(), 5);
    const QStringList captions{"通讯(&S)", "清屏(&C)", "打印(&P)", "保存(&S)", "帮助(&H)"};
    const QList<QAction*> named{w.Mnu开始, w.MnuClr, w.MnuPrint, w.MnuSave,
                                w.Mnu帮助->menuAction()};
    const QStringList names{"Mnu开始", "MnuClr", "MnuPrint", "MnuSave", "Mnu帮助"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(bar[i], named[i]);
        QCOMPARE(bar[i]->text(), captions[i]);
        QCOMPARE(bar[i]->shortcut(), QKeySequence());
    }
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(bar[i]->menu(), nullptr); // a command on the bar itself
        QCOMPARE(bar[i]->objectName(), names[i]);
    }
    QCOMPARE(w.Mnu帮助->objectName(), names[4]);
    QCOMPARE(w.Mnu帮助->actions(), (QList<QAction*>{w.MnuHelp, w.MnuAbout}));
    QCOMPARE(w.MnuHelp->text(), QStringLiteral("帮助"));
    QCOMPARE(w.MnuHelp->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(w.MnuHelp->objectName(), QStringLiteral("MnuHelp"));
    QCOMPARE(w.MnuAbout->text(), QStringLiteral("关于"));
    QCOMPARE(w.MnuAbout->shortcut(), QKeySequence(Qt::Key_F9));
    QCOMPARE(w.MnuAbout->objectName(), QStringLiteral("MnuAbout"));
}

void tst_ComTestStartUp::barCommandsActWithoutOpeningAMenu()
{
    ProgramHarness h;
    ComTest& w = h.window();
    QMenuBar* bar = w.menuBar();
    for (QAction* action : {w.MnuClr, w.MnuPrint, w.MnuSave, w.Mnu开始}) {
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
        QCOMPARE(triggered.count(), 1);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }
    // "通讯(&S)" sent the first command at once; print and save asked at once too.
    QCOMPARE(h.printRequests, 1);
    QCOMPARE(h.saveDialogs.size(), 1);
    QCOMPARE(h.saveDialogs.first().proposedName, QStringLiteral("LV-2260603.txt"));
    QCOMPARE(h.fake->calls().size(), 3);
    QCOMPARE(h.fake->calls().last(), QStringLiteral("write <DC1>00101<ETX>"));
}

void tst_ComTestStartUp::helpShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("action");
    QTest::newRow("F1 help") << int(Qt::Key_F1) << "MnuHelp";
    QTest::newRow("F9 about") << int(Qt::Key_F9) << "MnuAbout";
}

void tst_ComTestStartUp::helpShortcuts()
{
    QFETCH(int, key);
    QFETCH(QString, action);
    ProgramHarness h;
    QVERIFY(h.activated);
    auto* item = h.window().findChild<QAction*>(action);
    QVERIFY(item);
    QSignalSpy triggered(item, &QAction::triggered);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(triggered.count(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(triggered.count(), 2);
}

void tst_ComTestStartUp::keyboardOrder_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("at start-up the disabled boxes are skipped")
        << 0 << QStringList{"Combo5", "Combo6", "Combo7", "Combo2", "Combo3", "REC1", "SSTab1"};
    QTest::newRow("with every box enabled")
        << 2 << QStringList{"Combo5", "Combo9", "Combo6", "Combo8", "Combo7",
                            "Combo2", "Combo3", "REC1",   "SSTab1"};
}

void tst_ComTestStartUp::keyboardOrder()
{
    QFETCH(int, function);
    QFETCH(QStringList, order);
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();
    w.Combo5->setCurrentIndex(function);
    w.Combo5->setFocus();
    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        // The tab control takes the focus through its tab bar.
        if (focus == w.SSTab1->tabBar())
            focus = w.SSTab1;
        visited << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(visited, order);
    QVERIFY(h.boxes.requests.isEmpty());
}

void tst_ComTestStartUp::portTooltipNamesTheDevice()
{
    qputenv("LINKBENCH_COM3", "/dev/pts/77");
    qunsetenv("LINKBENCH_COM1");
    ProgramHarness h;
    ComTest& w = h.window();
    // COM1 opens whatever this machine has first; the texts are pinned in
    // tst_PortListControl, and here the list follows its selection.
    QVERIFY2(w.Combo2->toolTip().startsWith(QStringLiteral("COM1 → /dev/")),
             qPrintable(w.Combo2->toolTip()));
    w.Combo2->setCurrentIndex(2);
    QCOMPARE(w.Combo2->toolTip(),
             QStringLiteral("COM3 → /dev/pts/77\n来源：环境变量 LINKBENCH_COM3"));
    w.Combo2->setCurrentIndex(7);
    QCOMPARE(w.Combo2->toolTip(), QStringLiteral("COM8 → /dev/ttyS7\n来源：默认"));
    qunsetenv("LINKBENCH_COM3");
}

void tst_ComTestStartUp::wheelTurnsOnlyTheFocusedList_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("focused");
    for (const char* list : {"Combo5", "Combo6", "Combo8", "Combo7", "Combo2", "Combo3"}) {
        QTest::addRow("%s without the focus", list) << QString::fromLatin1(list) << false;
        QTest::addRow("%s with the focus", list) << QString::fromLatin1(list) << true;
    }
}

// A wheel turn over a list that does not have the focus, as when scrolling the
// transcript passes over the band, changes nothing and goes on to the parent.
void tst_ComTestStartUp::wheelTurnsOnlyTheFocusedList()
{
    QFETCH(QString, list);
    QFETCH(bool, focused);
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();
    QTest::keyClick(w.Combo5, Qt::Key_Down); // read parameter: the parameter list takes part
    auto* box = w.findChild<QComboBox*>(list);
    QVERIFY(box && box->isEnabled());
    (focused ? static_cast<QWidget*>(box) : w.REC1)->setFocus();
    QCOMPARE(box->hasFocus(), focused);
    const int index = box->currentIndex();
    const QString text = box->currentText();
    const qsizetype calls = h.fake->calls().size();
    WheelCounter parent;
    box->parentWidget()->installEventFilter(&parent);

    const QPointF inside(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(inside, box->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // Delivered as QTest delivers mouse events: marked as from the window system
    // (only those go on to the parent) and handed to notify(), which sendEvent()
    // would unmark.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(box, &wheel);

    QCOMPARE(box->currentIndex() != index, focused);
    QCOMPARE(box->currentText() != text, focused);
    QCOMPARE(parent.wheels, focused ? 0 : 1);
    QCOMPARE(box->hasFocus(), focused); // the wheel gives no focus either
    QCOMPARE(h.fake->calls().size(), calls);
    if (list == QStringLiteral("Combo5")) // the write function's handler enables the value box
        QCOMPARE(w.Combo9->isEnabled(), focused);
}

void tst_ComTestStartUp::exitConfirmation_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("yes ends the program") << int(QMessageBox::Yes) << true;
    QTest::newRow("no keeps the window") << int(QMessageBox::No) << false;
}

void tst_ComTestStartUp::exitConfirmation()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    ProgramHarness h;
    ComTest& w = h.window();
    h.boxes.answer = QMessageBox::StandardButton(answer);

    QCOMPARE(w.close(), closed);

    QCOMPARE(h.boxes.requests.size(), 1);
    const MessageRequest& asked = h.boxes.requests.first();
    QCOMPARE(asked.text, QStringLiteral("确定要退出吗?"));
    QCOMPARE(asked.title, QStringLiteral("通讯测试程序"));
    QCOMPARE(asked.icon, QMessageBox::Question);
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(asked.defaultButton, QMessageBox::No);
    QCOMPARE(w.isVisible(), !closed);
}

void tst_ComTestStartUp::yesEndsTheEventLoop()
{
    ProgramHarness h;
    h.boxes.answer = QMessageBox::Yes;
    // The program's event loop ends when its one window closes; a guard ends
    // it otherwise, so that the test cannot hang.
    bool guardFired = false;
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [&guardFired] {
        guardFired = true;
        QCoreApplication::quit();
    });
    guard.start(10000);
    QTimer::singleShot(0, &h.window(), [&h] { h.window().close(); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!guardFired);
    QCOMPARE(h.boxes.requests.size(), 1);
}

void tst_ComTestStartUp::answeringNoKeepsEverythingAndAsksAgain()
{
    ProgramHarness h;
    ComTest& w = h.window();
    w.Combo5->setCurrentIndex(2);
    w.Combo2->setCurrentIndex(4);
    w.Mnu开始->trigger();
    h.fake->deliver(onWire("<ACK>"));
    const QString transcript = w.transcript().text();
    QVERIFY(!transcript.isEmpty());
    w.Mnu开始->trigger(); // a command is pending: the timer runs
    QVERIFY(w.Timer2->isActive());
    const QStringList calls = h.fake->calls();

    h.boxes.answer = QMessageBox::No;
    QVERIFY(!w.close());
    QVERIFY(!w.close());
    QCOMPARE(h.boxes.requests.size(), 2);
    QVERIFY(w.isVisible());
    QCOMPARE(w.Combo5->currentIndex(), 2);
    QCOMPARE(w.Combo2->currentIndex(), 4);
    QCOMPARE(w.Combo8->currentIndex(), 10);
    QCOMPARE(w.transcript().text(), transcript);
    QVERIFY(w.Timer2->isActive());
    QVERIFY(h.fake->isOpen());
    QCOMPARE(h.fake->calls(), calls);
}

LINKBENCH_TEST_MAIN(tst_ComTestStartUp)
#include "tst_ComTestStartUp.moc"
