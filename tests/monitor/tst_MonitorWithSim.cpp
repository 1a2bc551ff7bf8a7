// The monitor window against the real simulator, with line faults on: what
// the pages show is compared with what the simulator's log says it did.

#include "RunningSim.h"
#include "TestMain.h"
#include "monitor/FramesModel.h"
#include "monitor/MonitorWindow.h"
#include "monitor/ScanModel.h"
#include "monitor/ScanPage.h"
#include "monitor/SetupPanel.h"
#include "monitor/StatisticsModel.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What the simulator's log says became of one command.
struct Logged
{
    QString frame;   // "<DC1>00101<ETX>"
    QString address; // "001"
    QString outcome; // the engine's word: ok, timeout, nak, check
};

Logged fromLog(const QString& line)
{
    static const QRegularExpression layout(
        u"^收 (<DC\\d>(\\d\\d\\d?)\\S*)  (答 |不答：|应答丢弃（--drop）：|迟答（--late）："
        "|错校验答（--bad-check）：)(\\S*)"_s);
    const QRegularExpressionMatch m = layout.match(line);
    if (!m.hasMatch())
        return {line, {}, u"unreadable"_s};
    const QString label = m.captured(3);
    QString outcome = u"timeout"_s;
    if (label.startsWith(u"错校验"))
        outcome = u"check"_s;
    else if (label == u"答 ")
        outcome = m.captured(4).endsWith(u"<NAK>") ? u"nak"_s : u"ok"_s;
    return {m.captured(1), m.captured(2), outcome};
}

// The fields of one CSV line, quotes undone (RFC 4180).
QStringList csvFields(const QString& line)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"')
            fields.back() += line[++i];
        else if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            fields << QString();
        else
            fields.back() += c;
    }
    return fields;
}

// The monitor on a settings file of its own, its port COM1 mapped to `device`.
struct Monitor
{
    explicit Monitor(const QString& device)
        : settings(dir.filePath(u"monitor.ini"_s), QSettings::IniFormat),
          window(settings, services())
    {
        qputenv("LINKBENCH_COM1", device.toLocal8Bit());
        window.resize(1000, 640);
        window.show();
    }
    SetupPanel& panel() { return *window.setupPanel(); }
    // Types the set-up as an operator would and presses 开始.
    void start(const QString& addresses, int function, int timeoutMs, int intervalMs = 0)
    {
        panel().functionBox()->setCurrentIndex(function);
        emit panel().functionBox()->activated(function);
        panel().addressEdit()->clear();
        QTest::keyClicks(panel().addressEdit(), addresses);
        panel().timeoutBox()->setValue(timeoutMs);
        panel().intervalBox()->setValue(intervalMs);
        QTest::mouseClick(panel().startButton(), Qt::LeftButton);
    }
    static PlatformServices services()
    {
        PlatformServices s = realPlatformServices();
        s.messageBox = [](QWidget*, const MessageRequest& request) {
            warnings << request.text;
            return QMessageBox::Ok;
        };
        return s;
    }
    QString total(int column)
    {
        StatisticsModel& m = *window.statisticsModel();
        return m.data(m.index(m.rowCount() - 1, column), Qt::DisplayRole).toString();
    }

    QTemporaryDir dir;
    QSettings settings;
    MonitorWindow window;
    static inline QStringList warnings;
};

} // namespace

class tst_MonitorWithSim : public QObject
{
    Q_OBJECT

private slots:
    void init() { Monitor::warnings.clear(); }
    void statisticsEqualTheSimulatorsLog_data();
    void statisticsEqualTheSimulatorsLog();
    void scanFindsExactlyTheAnsweringInstruments();
    void portLostPausesAndResumes();
};

void tst_MonitorWithSim::statisticsEqualTheSimulatorsLog_data()
{
    QTest::addColumn<QString>("simArguments");
    QTest::addColumn<QString>("addresses");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<int>("stopAfter"); // exchanges seen before 停止 is pressed

    QTest::newRow("drops, noise and a faulty instrument")
        << u"--drop 20 --noise 3 --faulty 004 --seed 5 --settings 56000,n,8,2"_s << u"1-4"_s << 0
        << 200 << 30;
    QTest::newRow("writes refused at random")
        << u"--nak 30 --seed 9 --settings 56000,n,8,2"_s << u"2,5"_s << 2 << 300 << 20;
    QTest::newRow("slow replies, stopped with one in flight")
        << u"--reply-delay 150 --jitter 40 --seed 2"_s << u"1-2"_s << 1 << 1000 << 5;
    QTest::newRow("spoiled check fields and late replies")
        << u"--bad-check 25 --late 15 --late-by 250 --jitter 10 --seed 4 --settings 56000,n,8,2"_s
        << u"3,5"_s << 1 << 200 << 30;
}

// Counts in the 统计 table equal the simulator's log exchange for exchange,
// after 停止 nothing is pending, and the CSV export holds the frames shown.
void tst_MonitorWithSim::statisticsEqualTheSimulatorsLog()
{
    QFETCH(QString, simArguments);
    QFETCH(QString, addresses);
    QFETCH(int, function);
    QFETCH(int, timeoutMs);
    QFETCH(int, stopAfter);

    RunningSim sim;
    QVERIFY(sim.start(simArguments.split(u' ', Qt::SkipEmptyParts)));
    Monitor monitor(sim.device());
    monitor.window.setupPanel()->lineBox()->setCurrentText(
        simArguments.contains(u"56000"_s) ? u"56000,n,8,2"_s : u"9600,n,8,2"_s);
    QElapsedTimer clock;
    clock.start();
    const int redrawsBefore = monitor.window.redrawCount();
    monitor.start(addresses, function, timeoutMs);
    QVERIFY2(monitor.window.engine().isRunning(), qPrintable(Monitor::warnings.join(u'\n')));
    QVERIFY(!monitor.panel().startButton()->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(monitor.window.engine().exchangesDone() >= stopAfter, 30000);
    QSignalSpy finished(&monitor.window.engine(), &diagnosis::DiagnosisEngine::finished);
    QTest::mouseClick(monitor.panel().stopButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, timeoutMs + 2000);
    QVERIFY(monitor.panel().startButton()->isEnabled());
    QCOMPARE(monitor.window.portStatus()->text(), u"串口未打开"_s);
    // At most ten redraws a second, one more for the end of the run.
    const int redraws = monitor.window.redrawCount() - redrawsBefore;
    QVERIFY2(redraws <= clock.elapsed() / MonitorWindow::kRedrawMs + 2,
             qPrintable(u"%1 redraws in %2 ms"_s.arg(redraws).arg(clock.elapsed())));

    // Nothing is sent after the stop: the log holds exactly the exchanges counted.
    const qint64 sent = monitor.total(StatisticsModel::Sent).toLongLong();
    QTRY_COMPARE_WITH_TIMEOUT(sim.exchanges().size(), sent, 3000);
    QTest::qWait(timeoutMs / 2);
    const QStringList log = sim.exchanges();
    QCOMPARE(log.size(), sent);

    QHash<QString, QHash<QString, int>> perAddress; // address -> outcome -> count
    int late = 0;
    for (const QString& line : log) {
        const Logged logged = fromLog(line);
        QVERIFY2(logged.outcome != u"unreadable"_s, qPrintable(line));
        ++perAddress[logged.address][logged.outcome];
        ++perAddress[u"合计"_s][logged.outcome];
        late += line.contains(u"迟答"_s) ? 1 : 0;
    }
    StatisticsModel& table = *monitor.window.statisticsModel();
    monitor.window.pages()->setCurrentIndex(0);
    monitor.window.redrawNow();
    QList<QPair<int, QString>> columns;
    for (const diagnosis::OutcomeKind& kind : diagnosis::kOutcomes)
        columns.append(
            {StatisticsModel::outcomeColumn(kind.outcome), QString::fromLatin1(kind.word)});
    for (int row = 0; row < table.rowCount(); ++row) {
        const QString label = table.data(table.index(row, 0), Qt::DisplayRole).toString();
        const QString address =
            row + 1 == table.rowCount() ? label : label.section(u' ', 1).left(3);
        for (const auto& [column, outcome] : columns) {
            const QString shown = table.data(table.index(row, column), Qt::DisplayRole).toString();
            QVERIFY2(shown == QString::number(perAddress[address][outcome]),
                     qPrintable(u"%1 %2: %3"_s.arg(label, outcome, shown)));
        }
    }

    // Each fault asked of the simulator happened at least once in the run.
    const QHash<QString, QString> faultOutcome = {
        {u"--drop"_s, u"timeout"_s}, {u"--nak"_s, u"nak"_s}, {u"--bad-check"_s, u"check"_s}};
    for (auto fault = faultOutcome.begin(); fault != faultOutcome.end(); ++fault) {
        if (simArguments.contains(fault.key()))
            QVERIFY2(perAddress[u"合计"_s][fault.value()] > 0, qPrintable(fault.key()));
    }
    QVERIFY(!simArguments.contains(u"--late"_s) || late > 0);

    // A late reply to the last exchange may still be on its way when the run ends.
    const int lateShown = monitor.total(StatisticsModel::Late).toInt();
    QVERIFY2(lateShown == late || lateShown == late - 1,
             qPrintable(u"%1 late shown, %2 logged"_s.arg(lateShown).arg(late)));

    // The export holds what the frames page shows, oldest first.
    FramesModel& frames = *monitor.window.framesModel();
    QCOMPARE(frames.rowCount(), int(sent));
    const QString csvPath = monitor.dir.filePath(u"run.csv"_s);
    QVERIFY(monitor.window.exportCsv(csvPath));
    QFile csv(csvPath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                             "time,address,channel,function,param,frame,reply,"
                             "outcome,response_ms,value\r\n"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), frames.rowCount() + 1);
    for (int row = 0; row < frames.rowCount(); ++row) {
        const QString line = lines[frames.rowCount() - row];
        const auto shown = [&](int column) {
            return frames.data(frames.index(row, column), Qt::DisplayRole).toString();
        };
        const QStringList fields = csvFields(line);
        QCOMPARE(fields.size(), 10);
        QCOMPARE(fields[0], shown(FramesModel::Time));
        QCOMPARE(fields[5], shown(FramesModel::Frame));
        QCOMPARE(fields[6], shown(FramesModel::Reply));
        QCOMPARE(fields[8], shown(FramesModel::ResponseMs));
        QCOMPARE(fields[9], shown(FramesModel::Value));
        QCOMPARE(fromLog(log[frames.rowCount() - 1 - row]).frame, fields[5]);
    }

    // The report's summary table is the one on the page.
    const QString pdfPath = monitor.dir.filePath(u"run.pdf"_s);
    QVERIFY(monitor.window.exportPdf(pdfPath));
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, pdfPath, u"-"_s});
    QVERIFY(pdftotext.waitForFinished(10000));
    const QString report = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QVERIFY2(report.contains(u"链路监测报告"_s), qPrintable(report));
    const QRegularExpression totalRow(u"合计\\s+%1\\s+%2\\s+%3\\s"_s.arg(
        monitor.total(StatisticsModel::Sent),
        monitor.total(StatisticsModel::outcomeColumn(diagnosis::Outcome::Ok)),
        monitor.total(StatisticsModel::outcomeColumn(diagnosis::Outcome::Timeout))));
    QVERIFY2(totalRow.match(report).hasMatch(), qPrintable(report));
    QVERIFY2(Monitor::warnings.isEmpty(), qPrintable(Monitor::warnings.join(u'\n')));
}

void tst_MonitorWithSim::scanFindsExactlyTheAnsweringInstruments()
{
    RunningSim sim;
    QVERIFY(sim.start(
        {u"--faulty"_s, u"006"_s, u"--drop"_s, u"0"_s, u"--settings"_s, u"56000,n,8,2"_s}));
    Monitor monitor(sim.device());
    monitor.panel().lineBox()->setCurrentText(u"56000,n,8,2"_s);
    ScanPage& page = *monitor.window.scanPage();
    page.fromBox()->setValue(1);
    page.toBox()->setValue(11);
    QSignalSpy finished(&monitor.window.scan(), &diagnosis::BusScan::finished);
    QTest::mouseClick(monitor.panel().scanButton(), Qt::LeftButton);
    QCOMPARE(monitor.window.pages()->currentWidget(), &page);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
    const QList<int> others = {1, 2, 3, 4, 5, 7, 8, 9, 10, 11};
    QCOMPARE(monitor.window.scanModel()->addresses(), others);
    QCOMPARE(page.progressBar()->value(), 11);
    QCOMPARE(page.foundLabel()->text(), u"已找到 10 个地址"_s);
    QCOMPARE(sim.exchanges().size(), 11);
    // One action puts what was found into the targets.
    monitor.panel().addressEdit()->setText(u"20"_s);
    QTest::mouseClick(page.addButton(), Qt::LeftButton);
    QCOMPARE(monitor.panel().addressEdit()->text(), u"20,1-5,7-11"_s);
}

// The port goes away mid-run (the simulator ends) and comes back (a new
// simulator behind the same device name): reported once each, in the status
// bar and the frames log, and the run goes on by itself.
void tst_MonitorWithSim::portLostPausesAndResumes()
{
    QTemporaryDir links;
    const QString link = links.filePath(u"com1"_s);
    auto first = std::make_unique<RunningSim>();
    QVERIFY(first->start({u"--settings"_s, u"56000,n,8,2"_s}));
    QVERIFY(QFile::link(first->device(), link));
    Monitor monitor(link);
    monitor.panel().lineBox()->setCurrentText(u"56000,n,8,2"_s);
    monitor.start(u"1"_s, 0, 300, 50);
    QTRY_VERIFY_WITH_TIMEOUT(monitor.window.engine().exchangesDone() >= 3, 5000);

    QSignalSpy lost(&monitor.window.engine(), &diagnosis::DiagnosisEngine::portLost);
    QSignalSpy back(&monitor.window.engine(), &diagnosis::DiagnosisEngine::portBack);
    // The name leads nowhere before the device goes, so that no other pty
    // taking over the old number can be opened in its place.
    QVERIFY(QFile::remove(link));
    QVERIFY(QFile::link(links.filePath(u"nothing"_s), link));
    first.reset();
    QTRY_COMPARE_WITH_TIMEOUT(lost.size(), 1, 5000);
    QCOMPARE(monitor.window.portStatus()->text(), u"已断开"_s);
    QTest::qWait(1500); // the engine retries meanwhile: still one report
    QCOMPARE(lost.size(), 1);
    QCOMPARE(back.size(), 0);
    QVERIFY(monitor.window.engine().isRunning());

    RunningSim second;
    QVERIFY(second.start({u"--settings"_s, u"56000,n,8,2"_s}));
    QVERIFY(QFile::remove(link));
    QVERIFY(QFile::link(second.device(), link));
    QTRY_COMPARE_WITH_TIMEOUT(back.size(), 1, 5000);
    QCOMPARE(monitor.window.portStatus()->text(), u"已重新打开 COM1"_s);
    QTRY_VERIFY_WITH_TIMEOUT(second.exchanges().size() >= 3, 5000);
    QVERIFY(monitor.window.engine().isRunning());

    monitor.window.redrawNow();
    FramesModel& frames = *monitor.window.framesModel();
    QStringList notes;
    for (int row = 0; row < frames.rowCount(); ++row) {
        if (!frames.line(row).note.isEmpty())
            notes.prepend(frames.line(row).note);
    }
    QCOMPARE(notes.size(), 2);
    QVERIFY2(notes[0].startsWith(u"串口已断开："_s), qPrintable(notes[0]));
    QCOMPARE(notes[1], u"串口已重新打开"_s);
    monitor.window.stopRun();
}

LINKBENCH_TEST_MAIN(tst_MonitorWithSim)
#include "tst_MonitorWithSim.moc"
