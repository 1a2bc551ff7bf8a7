// The 检测 page against the real simulator: a serial typed and Enter, the
// prompt answered in the band while the serial field keeps the focus, the
// verdicts in the table as the simulator's log has them, the files saved in
// the day's folder, and the field ready for the next unit.

#include "RunningSim.h"
#include "TestMain.h"
#include "monitor/TestPage.h"
#include "platform/QtSerialLine.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class tst_TestPage : public QObject
{
    Q_OBJECT

private slots:
    void twoUnitsInARow();
};

void tst_TestPage::twoUnitsInARow()
{
    QTemporaryDir dir;
    QFile plan(dir.filePath("plan.toml"));
    QVERIFY(plan.open(QIODevice::WriteOnly));
    plan.write("name = \"出厂检验\"\n[defaults]\ntimeout = 200\nretries = 0\n"
               "[[step]]\nsend = \"dc1\"\n"
               "[[step]]\nprompt = \"接上校验仪\"\n"
               "[[step]]\nsend = \"dc3\"\nparam = \"30\"\nvalue = \"42.0\"\n");
    plan.close();
    RunningSim sim;
    QVERIFY(sim.start({"--wire-time", "off", "--reply-delay", "1", "--refuse-writes", "30"}));

    TestPage page(std::make_unique<QtSerialLine>());
    MonitorSetup setup;
    setup.port = sim.device();
    page.attach([&] { return setup; }, [] { return false; },
                [&](QWidget*) { return plan.fileName(); });
    page.findChild<QPushButton*>()->click(); // 打开计划…
    page.folderField()->setText(dir.filePath("results"));
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QSignalSpy prompted(&page.run(), &diagnosis::TestPlanRun::prompted);
    QSignalSpy done(&page, &TestPage::unitDone);

    for (const auto& [serial, confirm, promptVerdict] :
         {std::tuple{"A-1", true, "合格"}, std::tuple{"A-2", false, "不合格"}}) {
        page.serialField()->setFocus();
        QTest::keyClicks(page.serialField(), QString::fromLatin1(serial));
        QTest::keyClick(page.serialField(), Qt::Key_Return);
        QVERIFY(prompted.wait(5000));
        QVERIFY(page.promptBand()->isVisible());
        QVERIFY(page.serialField()->hasFocus());
        QTest::mouseClick(confirm ? page.confirmButton() : page.rejectButton(), Qt::LeftButton);
        QVERIFY(done.wait(10000));
        QVERIFY(!page.promptBand()->isVisible());
        const auto verdict = [&](int row) { return page.table()->item(row, 3)->text(); };
        QCOMPARE(verdict(0), QStringLiteral("合格"));
        QCOMPARE(verdict(1), QString::fromUtf8(promptVerdict));
        QCOMPARE(verdict(2), QStringLiteral("不合格"));
        QCOMPARE(page.verdictLabel()->text(), QStringLiteral("不合格"));
        QVERIFY(sim.exchanges().last().contains(QStringLiteral("按 --refuse-writes 拒绝")));
        const QString pdf = done.last().at(0).toString();
        QVERIFY2(QFileInfo(pdf).fileName().startsWith(QString::fromLatin1(serial) + u'_'),
                 qPrintable(pdf));
        QCOMPARE(QFileInfo(pdf).dir().dirName(), QDate::currentDate().toString("yyyy-MM-dd"));
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(QFileInfo(done.last().at(1).toString()).size() > 0);
        QVERIFY(page.serialField()->text().isEmpty());
        QVERIFY(page.serialField()->hasFocus());
    }
    QCOMPARE(QDir(QFileInfo(done.last().at(0).toString()).path()).entryList(QDir::Files).size(), 4);
}

LINKBENCH_TEST_MAIN(tst_TestPage)
#include "tst_TestPage.moc"
