// How scripts/run starts the simulator (scripts/sim-start.sh), with the real
// linkbench-sim: the tool is started only on a device the running simulator
// printed; otherwise the script shows what the simulator said and stops.
#include "TestMain.h"
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString device;
    QByteArray shown;  // standard output, the status line taken off
    QByteArray errors; // standard error
};

// Sources the script in bash, starts the simulator with `options`, reports the
// result on a last line and stops the simulator if it still runs.
Run startSim(const QStringList& options)
{
    static const QString script = QStringLiteral(
        ". \"$1\"; dir=$(mktemp -d); linkbench_start_sim \"$2\" \"$dir/out\" \"$dir/log\" "
        "\"${@:3}\"; s=$?; echo; echo \"status=$s device=$device\"; "
        "kill \"$sim_pid\" 2>/dev/null; wait \"$sim_pid\" 2>/dev/null; rm -rf \"$dir\"");
    QProcess bash;
    bash.start(QStringLiteral("bash"),
               QStringList{QStringLiteral("-c"), script, QStringLiteral("bash"),
                           QStringLiteral(LINKBENCH_SOURCE_DIR "/scripts/sim-start.sh"),
                           QStringLiteral(LINKBENCH_SIM_PATH)} +
                   options);
    Run run;
    if (!bash.waitForFinished(30000))
        return run;
    QByteArray out = bash.readAllStandardOutput();
    const qsizetype last = out.lastIndexOf("\nstatus=");
    if (last < 0)
        return run;
    const QList<QByteArray> fields = out.mid(last + 1).trimmed().split(' ');
    run.status = fields.value(0).mid(7).toInt();
    run.device = QString::fromLocal8Bit(fields.value(1).mid(7));
    run.shown = out.left(last);
    run.errors = bash.readAllStandardError();
    return run;
}

QByteArray simSays(const QStringList& options, QProcess::ProcessChannel channel, int* status)
{
    QProcess sim;
    sim.setReadChannel(channel);
    sim.start(QStringLiteral(LINKBENCH_SIM_PATH), options);
    sim.waitForFinished(10000);
    *status = sim.exitCode();
    return sim.readAll();
}

} // namespace

class tst_SimStartScript : public QObject
{
    Q_OBJECT

private slots:
    void simulatorThatEndsIsShownAndNothingStarts_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("help") << QStringList{QStringLiteral("--help")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--no-such-option")};
        QTest::newRow("missing device")
            << QStringList{QStringLiteral("--device"), QStringLiteral("/nonexistent/tty")};
    }

    void simulatorThatEndsIsShownAndNothingStarts()
    {
        QFETCH(QStringList, options);
        int simStatus = -1;
        const QByteArray simOut = simSays(options, QProcess::StandardOutput, &simStatus);
        const QByteArray simErr = simSays(options, QProcess::StandardError, &simStatus);

        const Run run = startSim(options);
        QCOMPARE(run.device, QString());
        QCOMPARE(run.status, simStatus);
        QCOMPARE(run.shown, simOut);
        QVERIFY2(run.errors.startsWith(simErr), run.errors.constData());
        if (simStatus != 0)
            QVERIFY(run.errors.endsWith("（the simulator gave no device to open）\n"));
        else
            QCOMPARE(run.errors, simErr);
    }

    void runningSimulatorGivesItsDevice()
    {
        const Run run = startSim({});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.device.startsWith(QStringLiteral("/dev/pts/")), qPrintable(run.device));
        QCOMPARE(run.shown, QByteArray());
        QCOMPARE(run.errors, QByteArray());
    }
};

LINKBENCH_TEST_GUILESS_MAIN(tst_SimStartScript)
#include "tst_SimStartScript.moc"
