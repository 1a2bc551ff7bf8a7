// The monitor in its listening mode, on the tap of a simulator that plays the
// master: the targets appear as the master addresses them, the statistics
// carry the poll intervals and the cycle, and a faulty instrument's commands
// are time-outs as the simulator's log has them.

#include "RunningSim.h"
#include "TestMain.h"
#include "monitor/MonitorWindow.h"
#include "monitor/SetupPanel.h"
#include "monitor/StatisticsModel.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_MonitorListening : public QObject
{
    Q_OBJECT

private slots:
    void listensToTheSimulatorsMaster();
};

void tst_MonitorListening::listensToTheSimulatorsMaster()
{
    RunningSim sim;
    QVERIFY(sim.start({"--master", "1-3/100", "--tap", "--faulty", "3", "--quiet"}));
    QVERIFY(sim.process().canReadLine() || sim.process().waitForReadyRead(5000));
    const QString tap = QString::fromLocal8Bit(sim.process().readLine()).trimmed();

    QTemporaryDir dir;
    QSettings settings(dir.filePath(u"monitor.ini"_s), QSettings::IniFormat);
    PlatformServices services = realPlatformServices();
    QStringList warnings;
    services.messageBox = [&](QWidget*, const MessageRequest& request) {
        warnings << request.text;
        return QMessageBox::Ok;
    };
    MonitorWindow window(settings, services);
    window.show();
    SetupPanel& panel = *window.setupPanel();
    panel.modeBox()->setCurrentIndex(1);
    QVERIFY(!panel.addressEdit()->isEnabled() && panel.port2Edit()->isEnabled());
    QVERIFY(!panel.scanButton()->isEnabled());
    panel.portBox()->setCurrentText(tap);
    panel.timeoutBox()->setValue(80);
    QTest::mouseClick(panel.startButton(), Qt::LeftButton);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    QVERIFY(panel.stopButton()->isEnabled());

    StatisticsModel& model = *window.statisticsModel();
    const auto cell = [&](int row, int column) {
        return model.data(model.index(row, column), Qt::DisplayRole).toString();
    };
    // Three targets and the total, each target polled at least three times.
    QTRY_VERIFY_WITH_TIMEOUT(model.rowCount() == 4 && cell(0, StatisticsModel::Sent).toInt() >= 3 &&
                                 cell(1, StatisticsModel::Sent).toInt() >= 3 &&
                                 cell(2, StatisticsModel::Sent).toInt() >= 3,
                             15000);
    QTest::mouseClick(panel.stopButton(), Qt::LeftButton);
    QVERIFY(panel.startButton()->isEnabled());
    QCOMPARE(window.portStatus()->text(), u"串口未打开"_s);

    QStringList labels;
    for (int row = 0; row < 3; ++row) {
        labels << cell(row, StatisticsModel::Target);
        // One command every 100 ms over three targets: 300 ms apart.
        const double interval = cell(row, StatisticsModel::IntervalMs).toDouble();
        QVERIFY2(interval > 250 && interval < 350,
                 qPrintable(cell(row, StatisticsModel::IntervalMs)));
        const bool faulty = labels.back() == u"DC1 003/01";
        const int timeouts =
            cell(row, StatisticsModel::outcomeColumn(diagnosis::Outcome::Timeout)).toInt();
        QVERIFY2(faulty ? timeouts == cell(row, StatisticsModel::Sent).toInt() : timeouts <= 1,
                 qPrintable(labels.back()));
    }
    labels.sort();
    QCOMPARE(labels, QStringList({"DC1 001/01", "DC1 002/01", "DC1 003/01"}));
    QVERIFY(!cell(3, StatisticsModel::IntervalMs).isEmpty()); // the master's cycle

    // The export and the report take what was listened to.
    QVERIFY(window.exportCsv(dir.filePath(u"listened.csv"_s)));
    QFile csv(dir.filePath(u"listened.csv"_s));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QVERIFY(csv.readAll().contains("<DC1>00301<ETX>,,timeout"));
    QVERIFY(window.exportPdf(dir.filePath(u"listened.pdf"_s)));
    QVERIFY(QFileInfo(dir.filePath(u"listened.pdf"_s)).size() > 1000);
}

LINKBENCH_TEST_MAIN(tst_MonitorListening)
#include "tst_MonitorListening.moc"
