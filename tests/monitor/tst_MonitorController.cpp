// The monitor's run and scan state without a window: what each step does to
// the state, the controls and the status texts, on a pseudo-terminal that
// answers only when the row says so, with a clock the test moves by hand.

#include "PtyPair.h"
#include "TestMain.h"
#include "WireText.h"
#include "monitor/MonitorController.h"

#include <QTest>

using namespace Qt::StringLiterals;
using State = MonitorController::State;

class tst_MonitorController : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
};

void tst_MonitorController::steps_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<State>("state");
    QTest::addColumn<QString>("enabled"); // the controls that are on
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("runTime"); // empty: not checked
    QTest::addColumn<QString>("rate");    // empty: not checked

    // run: a read with a long time-out; sent: its command has gone out and
    // waits for the reply; fast run: time-outs of 10 ms; scan: one address;
    // later: the clock moves on and the redraw timer strikes.
    QTest::newRow("at first") << QStringList{} << State::Idle << u"start scan setup"_s
                              << u"串口未打开"_s << u"运行 00:00:00"_s << u"0.0 次/秒"_s;
    QTest::newRow("a run") << QStringList{u"run"_s, u"later 61000"_s} << State::Running << u"stop"_s
                           << u"已打开 PTY"_s << u"运行 00:01:01"_s << QString();
    QTest::newRow("stopped during an exchange")
        << QStringList{u"run"_s, u"sent"_s, u"stop"_s} << State::Stopping << QString()
        << u"已打开 PTY"_s << QString() << QString();
    QTest::newRow("the exchange ends after the stop")
        << QStringList{u"run"_s, u"sent"_s, u"later 3000"_s, u"stop"_s, u"reply"_s, u"later 5000"_s}
        << State::Idle << u"start scan setup"_s << u"串口未打开"_s << u"运行 00:00:03"_s
        << u"0.0 次/秒"_s;
    QTest::newRow("a second start while running")
        << QStringList{u"run"_s, u"run refused"_s} << State::Running << u"stop"_s << u"已打开 PTY"_s
        << QString() << QString();
    QTest::newRow("a port that cannot be opened")
        << QStringList{u"missing"_s} << State::Idle << u"start scan setup"_s << u"串口未打开"_s
        << QString() << QString();
    QTest::newRow("a scan") << QStringList{u"scan"_s} << State::Scanning << u"stop"_s
                            << u"已打开 PTY"_s << QString() << QString();
    QTest::newRow("a scan stops at once")
        << QStringList{u"scan"_s, u"stop"_s} << State::Idle << u"start scan setup"_s
        << u"串口未打开"_s << QString() << QString();
    QTest::newRow("closing the window during a run")
        << QStringList{u"run"_s, u"close"_s} << State::Idle << u"start scan setup"_s
        << u"串口未打开"_s << QString() << QString();
    // The scan's rate is its own, not what the run before it left.
    QTest::newRow("a scan after a run counts afresh")
        << QStringList{u"fast run"_s, u"later 1000"_s, u"rate shown"_s, u"close"_s, u"scan"_s}
        << State::Scanning << u"stop"_s << u"已打开 PTY"_s << u"运行 00:00:00"_s << u"0.0 次/秒"_s;
}

void tst_MonitorController::steps()
{
    QFETCH(QStringList, steps);
    QFETCH(State, state);
    QFETCH(QString, enabled);
    QFETCH(QString, port);
    QFETCH(QString, runTime);
    QFETCH(QString, rate);

    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorText()));
    qint64 nowMs = 0;
    MonitorController controller(nullptr, [&nowMs] { return nowMs; });
    int exchanges = 0;
    connect(&controller, &MonitorController::exchangeEnded, this, [&] { ++exchanges; });
    diagnosis::RunPlan run;
    run.port = pty.slaveName();
    run.targets = {diagnosis::Target{}};
    run.timeoutMs = 10000;
    diagnosis::ScanPlan scan;
    scan.port = pty.slaveName();
    scan.from = scan.to = 1;
    scan.timeoutMs = 10000;

    for (const QString& step : std::as_const(steps)) {
        QString refusal;
        if (step == u"run") {
            QVERIFY(controller.startRun(run, &refusal));
        } else if (step == u"fast run") {
            diagnosis::RunPlan fast = run;
            fast.timeoutMs = 10;
            QVERIFY(controller.startRun(fast, &refusal));
            QTRY_VERIFY(exchanges >= 2);
        } else if (step == u"run refused") {
            QVERIFY(!controller.startRun(run, &refusal));
            QCOMPARE(refusal, QString());
        } else if (step == u"missing") {
            diagnosis::RunPlan missing = run;
            missing.port = u"/dev/nonexistent-linkbench"_s;
            QVERIFY(!controller.startRun(missing, &refusal));
            QVERIFY2(refusal.startsWith(u"无法打开串口/dev/nonexistent-linkbench\n"_s),
                     qPrintable(refusal));
        } else if (step == u"scan") {
            QVERIFY(controller.startScan(scan, &refusal));
        } else if (step == u"stop") {
            controller.stop();
        } else if (step == u"close") {
            controller.stopNow();
        } else if (step == u"sent") {
            QCOMPARE(pty.readExactly(7, 2000).size(), 7); // the command is in flight
        } else if (step == u"reply") {
            QVERIFY(pty.writeToPeer(onWire("<STX>00101+0011.000575<ETB>")));
            QTRY_COMPARE(controller.state(), State::Idle);
        } else if (step.startsWith(u"later ")) {
            nowMs += step.section(u' ', 1).toLongLong();
            controller.tick();
        } else if (step == u"rate shown") {
            QVERIFY2(controller.rateText() != u"0.0 次/秒"_s, qPrintable(controller.rateText()));
        } else {
            QFAIL(qPrintable(u"unknown step "_s + step));
        }
    }

    QCOMPARE(controller.state(), state);
    const RunControls controls = controller.controls();
    QStringList on;
    for (const auto& [name, isOn] : {std::pair{u"start"_s, controls.start},
                                     {u"scan"_s, controls.scan},
                                     {u"stop"_s, controls.stop},
                                     {u"setup"_s, controls.setup}}) {
        if (isOn)
            on << name;
    }
    QCOMPARE(on.join(u' '), enabled);
    QCOMPARE(controller.portText(), QString(port).replace(u"PTY"_s, pty.slaveName()));
    if (!runTime.isEmpty())
        QCOMPARE(controller.runTimeText(), runTime);
    if (!rate.isEmpty())
        QCOMPARE(controller.rateText(), rate);
}

LINKBENCH_TEST_MAIN(tst_MonitorController)
#include "tst_MonitorController.moc"
