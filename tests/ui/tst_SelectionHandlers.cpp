// The handlers of the function list, the address box and the value box,
// driven through the real widgets with the mouse and the keyboard.

#include "ProgramHarness.h"
#include "TestMain.h"
#include "ui/SelectionHandlers.h"

#include <QAbstractItemView>
#include <QMessageBox>
#include <QTimer>

namespace {

// Picks entry `position` of a list the way the operator does: open the list,
// click the entry.
void choose(QComboBox* box, int position)
{
    box->showPopup();
    QAbstractItemView* view = box->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex index = view->model()->index(position, 0);
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTRY_VERIFY(!view->isVisible());
}

// The offscreen platform does not hand the activation back to the window when
// a modal box closes, as a window manager does; the test does it.
void reactivate(QWidget& window)
{
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

const QString kBadAddress = QStringLiteral("请输入001-255之间的数字");
const QString kBadValue = QStringLiteral("输入错误！");

} // namespace

class tst_SelectionHandlers : public QObject
{
    Q_OBJECT

private slots:
    void addressBoxLosingTheFocus_data();
    void addressBoxLosingTheFocus();
    void addressBoxKeepsItsTextWhileItsListIsOpen();
    void valueBoxLosingTheFocus_data();
    void valueBoxLosingTheFocus();
    void functionSequences_data();
    void functionSequences();
    void functionListFollowsTheKeyboard();
    void parameterPickChangesNothingElse();
    void realMessageBoxTakesTheFocusBackOnce();
    void endingTheProgramChecksNothing();
};

void tst_SelectionHandlers::addressBoxLosingTheFocus_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused");

    QTest::newRow("7 becomes 007") << "7"
                                   << "007" << false;
    QTest::newRow("255 stays") << "255"
                               << "255" << false;
    QTest::newRow("1 becomes 001") << "1"
                                   << "001" << false;
    QTest::newRow("12.6 rounds to 013") << "12.6"
                                        << "013" << false;
    QTest::newRow("blanks around 5") << " 5 "
                                     << "005" << false;
    QTest::newRow("0") << "0"
                       << "0" << true;
    QTest::newRow("256") << "256"
                         << "256" << true;
    QTest::newRow("300") << "300"
                         << "300" << true;
    QTest::newRow("empty") << ""
                           << "" << true;
    QTest::newRow("abc") << "abc"
                         << "abc" << true;
    QTest::newRow("-7") << "-7"
                        << "-7" << true;
}

void tst_SelectionHandlers::addressBoxLosingTheFocus()
{
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, refused);
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();

    ProgramHarness::typeInto(w.Combo6, typed);
    QCOMPARE(w.Combo6->currentText(), typed);
    QVERIFY(h.boxes.requests.isEmpty()); // nothing is checked while typing
    QTest::keyClick(w.Combo6->lineEdit(), Qt::Key_Tab);

    QCOMPARE(w.Combo6->currentText(), after);
    if (refused) {
        QCOMPARE(h.boxes.texts(), QStringList{kBadAddress});
        QCOMPARE(h.boxes.requests.first().title, QStringLiteral("LinkBench"));
        QCOMPARE(h.boxes.requests.first().buttons, QMessageBox::Ok);
        QCOMPARE(QApplication::focusWidget(), w.Combo6);
    } else {
        QVERIFY(h.boxes.requests.isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.Combo7); // the next box in order
    }
    QVERIFY(h.fake->calls().isEmpty());
    QCOMPARE(h.vars().InstrAddr, QStringLiteral("001")); // handlers write no variable
}

void tst_SelectionHandlers::addressBoxKeepsItsTextWhileItsListIsOpen()
{
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();
    ProgramHarness::typeInto(w.Combo6, QStringLiteral("abc"));
    w.Combo6->showPopup();
    QTRY_VERIFY(w.Combo6->view()->isVisible());
    w.Combo6->hidePopup();
    QTRY_VERIFY(!w.Combo6->view()->isVisible());
    QVERIFY(h.boxes.requests.isEmpty());
    // Picking an entry from the list is a valid address.
    choose(w.Combo6, 4);
    QCOMPARE(w.Combo6->currentText(), QStringLiteral("005"));
    QTest::mouseClick(w.Combo5, Qt::LeftButton);
    QVERIFY(h.boxes.requests.isEmpty());
    QCOMPARE(w.Combo6->currentText(), QStringLiteral("005"));
}

void tst_SelectionHandlers::valueBoxLosingTheFocus_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");

    QTest::newRow("12.5 unchanged") << "12.5" << false;
    QTest::newRow("-3 unchanged") << "-3" << false;
    QTest::newRow("exponent unchanged") << "1.5e3" << false;
    QTest::newRow("abc") << "abc" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("two points") << "1.2.3" << true;
}

void tst_SelectionHandlers::valueBoxLosingTheFocus()
{
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();
    choose(w.Combo5, 2); // writing a parameter enables the value box

    ProgramHarness::typeInto(w.Combo9, typed);
    // Leaving with the mouse, into the address box.
    QTest::mouseClick(w.Combo6->lineEdit(), Qt::LeftButton);

    QCOMPARE(w.Combo9->currentText(), typed); // the value is formatted only when sent
    if (refused) {
        QCOMPARE(h.boxes.texts(), QStringList{kBadValue});
        QCOMPARE(h.boxes.requests.first().title, QStringLiteral("LinkBench"));
        QCOMPARE(h.boxes.requests.first().buttons, QMessageBox::Ok);
        QCOMPARE(QApplication::focusWidget(), w.Combo9);
    } else {
        QVERIFY(h.boxes.requests.isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.Combo6);
    }
}

void tst_SelectionHandlers::functionSequences_data()
{
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<bool>("parametersEnabled");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<bool>("valueEnabled");

    const QString param11 = QStringLiteral("11:分读号 ");
    QTest::newRow("DC2") << QList<int>{1} << true << param11 << false;
    QTest::newRow("DC2 then DC1") << QList<int>{1, 0} << false << param11 << false;
    QTest::newRow("DC3") << QList<int>{2} << true << param11 << true;
    QTest::newRow("DC3 then DC1") << QList<int>{2, 0} << false << param11 << true;
    QTest::newRow("DC4 preselects 73")
        << QList<int>{3} << true << QStringLiteral("73:读HBX所挂接仪表瞬时值") << true;
    QTest::newRow("DC4 then DC2") << QList<int>{3, 1} << true << param11 << false;
    QTest::newRow("DC2 then DC3") << QList<int>{1, 2} << true << param11 << true;
    QTest::newRow("DC1 again leaves the start state") << QList<int>{0} << false << "" << false;
}

void tst_SelectionHandlers::functionSequences()
{
    QFETCH(QList<int>, picks);
    QFETCH(bool, parametersEnabled);
    QFETCH(QString, parameter);
    QFETCH(bool, valueEnabled);
    ProgramHarness h;
    ComTest& w = h.window();
    for (int position : picks)
        choose(w.Combo5, position);
    QCOMPARE(w.Combo5->currentIndex(), picks.last());
    QCOMPARE(w.Combo8->isEnabled(), parametersEnabled);
    QCOMPARE(w.Combo8->currentText(), parameter);
    QCOMPARE(w.Combo9->isEnabled(), valueEnabled);
    QVERIFY(h.boxes.requests.isEmpty());
    QVERIFY(h.fake->calls().isEmpty());
}

void tst_SelectionHandlers::functionListFollowsTheKeyboard()
{
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();
    QCOMPARE(QApplication::focusWidget(), w.Combo5);
    QTest::keyClick(w.Combo5, Qt::Key_Down);
    QCOMPARE(w.Combo5->currentIndex(), 1);
    QVERIFY(w.Combo8->isEnabled());
    QVERIFY(!w.Combo9->isEnabled());
    QTest::keyClick(w.Combo5, Qt::Key_End);
    QCOMPARE(w.Combo5->currentIndex(), 3);
    QCOMPARE(w.Combo8->currentIndex(), 60);
    QVERIFY(w.Combo9->isEnabled());
}

void tst_SelectionHandlers::parameterPickChangesNothingElse()
{
    ProgramHarness h;
    ComTest& w = h.window();
    choose(w.Combo5, 2);
    choose(w.Combo8, 11);
    QCOMPARE(w.Combo8->currentText(), QStringLiteral("12:量程零点"));
    QCOMPARE(w.Combo5->currentIndex(), 2);
    QVERIFY(w.Combo9->isEnabled());
    QVERIFY(w.Combo8->isEnabled());
    QCOMPARE(w.Combo9->currentText(), QStringLiteral("00000.0"));
}

// With real boxes the focus moves to the box and back; both editable boxes
// holding bad text must not keep refusing each other.
void tst_SelectionHandlers::realMessageBoxTakesTheFocusBackOnce()
{
    QStringList shown;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->windowTitle() + QLatin1Char('|') + box->text();
            box->done(QMessageBox::Ok);
        }
    });
    closer.start(20);

    auto line = std::make_unique<FakeSerialLine>();
    // The real boxes: the one place a test shows them.
    TEXT text(std::move(line), realPlatformServices());
    text.startUp();
    ComTest& w = text.window();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    choose(w.Combo5, 2);
    w.Combo9->setEditText(QStringLiteral("abc"));
    ProgramHarness::typeInto(w.Combo6, QStringLiteral("0"));

    QTest::mouseClick(w.Combo9->lineEdit(), Qt::LeftButton);
    QTRY_COMPARE(shown, QStringList{QStringLiteral("LinkBench|请输入001-255之间的数字")});
    QTRY_COMPARE(w.focusWidget(), w.Combo6);
    reactivate(w);
    QCOMPARE(QApplication::focusWidget(), w.Combo6);
    QTest::qWait(200);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(QApplication::focusWidget(), w.Combo6);
    QCOMPARE(w.Combo6->currentText(), QStringLiteral("0"));

    // Once the address is mended, leaving it for the value box is allowed,
    // and leaving the value box refuses its text.
    ProgramHarness::typeInto(w.Combo6, QStringLiteral("9"));
    QTest::mouseClick(w.Combo9->lineEdit(), Qt::LeftButton);
    QCOMPARE(w.Combo6->currentText(), QStringLiteral("009"));
    QTRY_COMPARE(QApplication::focusWidget(), w.Combo9);
    QTest::mouseClick(w.Combo6->lineEdit(), Qt::LeftButton);
    QTRY_COMPARE(shown.size(), 2);
    QCOMPARE(shown.last(), QStringLiteral("LinkBench|输入错误！"));
    QTRY_COMPARE(w.focusWidget(), w.Combo9);
    reactivate(w);
    QCOMPARE(QApplication::focusWidget(), w.Combo9);
    QTest::qWait(200);
    QCOMPARE(shown.size(), 2);
}

// The focused box losing the focus because the window goes away is not the
// operator leaving it.
void tst_SelectionHandlers::endingTheProgramChecksNothing()
{
    ProgramHarness h;
    QVERIFY(h.activated);
    ComTest& w = h.window();
    ProgramHarness::typeInto(w.Combo6, QStringLiteral("abc"));
    QCOMPARE(QApplication::focusWidget(), w.Combo6);
    h.module.reset();
    QVERIFY(h.boxes.requests.isEmpty());
}

LINKBENCH_TEST_MAIN(tst_SelectionHandlers)
#include "tst_SelectionHandlers.moc"
