// The 参数 page against the real simulator: read, open a file and compare,
// write the differences after the confirmation, save; the differences are
// marked in words, and the simulator's log says what was written.

#include "RunningSim.h"
#include "TestMain.h"
#include "diagnosis/ParameterSetFile.h"
#include "monitor/ParameterPage.h"
#include "platform/QtSerialLine.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class tst_ParameterPage : public QObject
{
    Q_OBJECT

private slots:
    void compareWriteAndSave();
};

void tst_ParameterPage::compareWriteAndSave()
{
    QTemporaryDir dir;
    const QString preset = dir.filePath(QStringLiteral("preset.toml"));
    QFile file(preset);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[header]\naddress = 1\nchannel = \"01\"\nname = \"TI-101\"\n"
               "[[parameter]]\ncode = \"13\"\nvalue = \"0600.0\"\n"
               "[[parameter]]\ncode = \"18\"\nvalue = \"-012.50\"\n"
               "[[parameter]]\ncode = \"31\"\nvalue = \"0010.0\"\n");
    file.close();
    RunningSim sim;
    QVERIFY(sim.start({"--wire-time", "off", "--reply-delay", "1", "--refuse-writes", "18"}));

    ParameterPage page(std::make_unique<QtSerialLine>());
    QStringList boxes;
    PlatformServices services;
    services.messageBox = [&](QWidget*, const MessageRequest& request) {
        boxes << request.text;
        return QMessageBox::Yes;
    };
    const QString saved = dir.filePath(QStringLiteral("saved.toml"));
    services.saveDialog = [&](QWidget*, const SaveDialogRequest&) { return saved; };
    MonitorSetup setup;
    setup.port = sim.device();
    setup.timeoutMs = 300;
    page.attach([&] { return setup; }, [] { return false; }, services,
                [&](QWidget*) { return preset; });
    page.addressBox()->setValue(2);
    QSignalSpy finished(&page.transfer(), &diagnosis::ParameterTransfer::finished);

    // Opening reads the file's parameters and marks the two that differ.
    QTest::mouseClick(page.openButton(), Qt::LeftButton);
    QVERIFY(finished.wait(5000));
    ParameterModel& model = page.model();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.index(0, ParameterModel::Compare).data().toString(), QStringLiteral("≠ 不同"));
    QCOMPARE(model.index(2, ParameterModel::Compare).data().toString(), QStringLiteral("= 相同"));
    QVERIFY(model.index(0, 0).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(page.progressBar()->value(), 3);

    // One confirmation listing each write, then the result of each in the table.
    QTest::mouseClick(page.writeButton(), Qt::LeftButton);
    QVERIFY(finished.wait(5000));
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].contains(
                 QStringLiteral("13 量程满度：1000.0 → 0600.0\n18 报警一值：0080.0 → -012.50")),
             qPrintable(boxes[0]));
    QCOMPARE(model.index(0, ParameterModel::Result).data().toString(), QStringLiteral("已写入"));
    QCOMPARE(model.index(0, ParameterModel::Compare).data().toString(), QStringLiteral("= 相同"));
    QCOMPARE(model.index(1, ParameterModel::Result).data().toString(),
             QStringLiteral("拒绝（NAK）"));
    QCOMPARE(model.index(1, ParameterModel::Compare).data().toString(), QStringLiteral("≠ 不同"));
    QVERIFY(page.statusLabel()->text().startsWith(QStringLiteral("写入 1，拒绝 1，失败 0")));
    while (sim.process().waitForReadyRead(100)) { // the simulator's last lines
    }
    int writes = 0;
    for (const QString& line : sim.exchanges())
        writes += line.startsWith(QStringLiteral("收 <DC3>00201"));
    QCOMPARE(writes, 2);

    // Cancel ends a reading after the exchange in progress.
    QTest::mouseClick(page.readButton(), Qt::LeftButton);
    QTest::mouseClick(page.cancelButton(), Qt::LeftButton);
    // Before the first send the reading ends at once, inside the click.
    QVERIFY(finished.size() == 3 || finished.wait(5000));
    QCOMPARE(page.statusLabel()->text(), QStringLiteral("已取消"));
    QVERIFY(page.readButton()->isEnabled());
    QTest::mouseClick(page.readButton(), Qt::LeftButton);
    QVERIFY(finished.wait(5000));

    // Saved as read: the file holds the instrument's values.
    QTest::mouseClick(page.saveButton(), Qt::LeftButton);
    const std::optional<diagnosis::ParameterSet> set = diagnosis::loadParameterSet(saved, nullptr);
    QVERIFY(set);
    QCOMPARE(set->entries.size(), 3);
    QCOMPARE(set->entries[0].value, QStringLiteral("0600.0"));
    QCOMPARE(set->header.name, QStringLiteral("TI-101"));
}

LINKBENCH_TEST_MAIN(tst_ParameterPage)
#include "tst_ParameterPage.moc"
