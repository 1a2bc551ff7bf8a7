// How long the 检测 page takes per unit, twenty units in a row, against the
// simulator at 9600 bit/s with its wire time and 20 ms reply delay: from the
// serial's Enter to the certificate and the JUnit file saved. The last units
// must take as long as the first: nothing of a unit stays behind.
//
//     QT_QPA_PLATFORM=offscreen build/bench/bench_monitor_test_page [units]

#include "monitor/TestPage.h"
#include "platform/QtSerialLine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int units = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
    QProcess sim;
    sim.start(QStringLiteral(LINKBENCH_SIM_PATH), {"--quiet"});
    if (!sim.waitForReadyRead(5000))
        return 1;
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QTemporaryDir dir;
    QFile plan(dir.filePath(QStringLiteral("plan.toml")));
    plan.open(QIODevice::WriteOnly);
    plan.write("name = \"bench\"\n"
               "[[step]]\nsend = \"dc1\"\nexpect = \"place\"\n"
               "[[step]]\nsend = \"dc2\"\nparam = \"13\"\nexpect = \"range\"\nlow = 900\n"
               "high = 1100\n"
               "[[step]]\nsend = \"dc3\"\nparam = \"30\"\nvalue = \"42.0\"\ncapture = \"sp\"\n"
               "[[step]]\nsend = \"dc2\"\nparam = \"30\"\nexpect = \"captured\"\n"
               "captured = \"sp\"\n");
    plan.close();

    TestPage page(std::make_unique<QtSerialLine>());
    MonitorSetup setup;
    setup.port = device;
    page.attach([&] { return setup; }, [] { return false; });
    if (!page.openPlan(plan.fileName()))
        return 1;
    page.folderField()->setText(dir.filePath(QStringLiteral("results")));
    QSignalSpy done(&page, &TestPage::unitDone);
    QList<double> times;
    std::printf("%5s %9s\n", "unit", "ms");
    for (int unit = 1; unit <= units; ++unit) {
        page.serialField()->setText(QStringLiteral("B-%1").arg(unit));
        QElapsedTimer clock;
        clock.start();
        page.start();
        if (!done.wait(30000))
            return 1;
        times << double(clock.nsecsElapsed()) / 1e6;
        std::printf("%5d %9.1f\n", unit, times.back());
    }
    const qsizetype five = std::min<qsizetype>(5, times.size() / 2);
    std::printf("median of the first %lld: %.1f ms, of the last %lld: %.1f ms\n",
                static_cast<long long>(five), median(times.mid(0, five)),
                static_cast<long long>(five), median(times.mid(times.size() - five)));
    sim.kill();
    sim.waitForFinished();
    return 0;
}
