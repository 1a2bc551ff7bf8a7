// Figures for the monitor window, printed, not asserted:
//
//   bench_monitor memory [exchanges]   the real window polling the real
//       simulator back to back (wire time off, so faster than any line),
//       four targets, spoiled check fields and stray characters on; prints the
//       resident set size after 1,000, 10,000, 50,000 and 100,000 exchanges,
//       the exchange rate, the redraws, and how late the event loop answered
//       a queued call (what a click would wait for), max and 99th percentile.
//   bench_monitor startup [runs]       main() to the monitor window's first
//       paint, as bench_startup measures the main window.
//
//     QT_QPA_PLATFORM=offscreen build/bench/bench_monitor memory
//     QT_QPA_PLATFORM=offscreen build/bench/bench_monitor startup 20

#include "BenchMeasures.h"
#include "monitor/MonitorWindow.h"
#include "monitor/SetupPanel.h"
#include "widgets/ApplicationSetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int memory(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const qint64 last = argc > 2 ? std::atoll(argv[2]) : 100000;
    QProcess sim;
    sim.start(QStringLiteral(LINKBENCH_SIM_PATH),
              {QStringLiteral("--wire-time"), QStringLiteral("off"),
               QStringLiteral("--reply-delay"), QStringLiteral("0"), QStringLiteral("--bad-check"),
               QStringLiteral("2"), QStringLiteral("--noise"), QStringLiteral("1"),
               QStringLiteral("--quiet"), QStringLiteral("--settings"),
               QStringLiteral("56000,n,8,2")});
    if (!sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_monitor: the simulator did not start\n");
        return 1;
    }
    qputenv("LINKBENCH_COM1", sim.readLine().trimmed());

    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("monitor.ini")), QSettings::IniFormat);
    MonitorWindow window(settings);
    window.resize(1180, 720);
    window.show();
    MonitorSetup setup;
    setup.lineSettings = QStringLiteral("56000,n,8,2");
    setup.addresses = QStringLiteral("1-4");
    setup.timeoutMs = 300;
    if (!window.startRun(setup)) {
        std::fprintf(stderr, "bench_monitor: the run did not start\n");
        return 1;
    }

    // A queued call every 20 ms; how long it waits is how long a click would.
    std::vector<double> waits;
    QElapsedTimer posted;
    QTimer probe;
    probe.setInterval(20);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        posted.start();
        QMetaObject::invokeMethod(
            &window, [&] { waits.push_back(posted.nsecsElapsed() / 1e6); }, Qt::QueuedConnection);
    });
    probe.start();
    // Every page is drawn in turn, as a technician looking around would.
    QTimer pages;
    QObject::connect(&pages, &QTimer::timeout, [&] {
        window.pages()->setCurrentIndex((window.pages()->currentIndex() + 1) % 5);
    });
    pages.start(1000);

    QElapsedTimer clock;
    clock.start();
    const std::vector<qint64> marks = {1000, 10000, 50000, 100000, last};
    std::size_t next = 0;
    long rssAtFirst = 0;
    std::printf("%10s %10s %10s %10s %10s\n", "exchanges", "RSS KiB", "vs 1000", "per s",
                "redraws");
    QObject::connect(&window.engine(), &diagnosis::DiagnosisEngine::exchangeFinished,
                     [&](const diagnosis::ExchangeRecord& record) {
                         while (next < marks.size() && marks[next] < record.sequence)
                             ++next;
                         if (next >= marks.size() || record.sequence != marks[next])
                             return;
                         const long rss = residentKiB();
                         if (next == 0)
                             rssAtFirst = rss;
                         std::printf("%10lld %10ld %+10ld %10.0f %10d\n",
                                     static_cast<long long>(record.sequence), rss, rss - rssAtFirst,
                                     record.sequence * 1000.0 / clock.elapsed(),
                                     window.redrawCount());
                         std::fflush(stdout);
                         if (record.sequence >= last)
                             QCoreApplication::exit(0);
                         ++next;
                     });
    QApplication::exec();
    window.engine().stop();
    std::sort(waits.begin(), waits.end());
    if (!waits.empty())
        std::printf("queued call waited: median %.2f ms, 99th percentile %.2f ms, max %.2f ms "
                    "(%zu probes)\n",
                    waits[waits.size() / 2], waits[waits.size() * 99 / 100], waits.back(),
                    waits.size());
    std::printf("seconds: %.1f, redraws per second: %.1f\n", clock.elapsed() / 1000.0,
                window.redrawCount() * 1000.0 / clock.elapsed());
    sim.kill();
    sim.waitForFinished();
    return 0;
}

class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget* window, const QElapsedTimer& clock) : m_window(window), m_clock(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_window) {
            m_seen = true;
            QTimer::singleShot(0, [this] {
                std::printf("shown %.3f %ld\n", m_clock.nsecsElapsed() / 1e6, residentKiB());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    QWidget* m_window;
    const QElapsedTimer& m_clock;
    bool m_seen = false;
};

int startupOnce(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    prepareApplication(app);
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("monitor.ini")), QSettings::IniFormat);
    MonitorWindow window(settings);
    // As bench_startup: at the window's first paint event, a zero timer that
    // runs once the whole first paint has been done.
    FirstPaint watch(&window, sinceMain);
    app.installEventFilter(&watch);
    window.show();
    return QApplication::exec();
}

int startup(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
    std::vector<double> shown, rss;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--once")});
        child.waitForFinished(10000);
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 3) {
            std::fprintf(stderr, "bench_monitor: a start-up run reported nothing\n");
            return 1;
        }
        shown.push_back(fields[1].toDouble());
        rss.push_back(fields[2].toDouble());
    }
    std::sort(shown.begin(), shown.end());
    std::sort(rss.begin(), rss.end());
    std::printf("main() to the monitor window's first paint, %d runs: median %.1f ms, max %.1f "
                "ms; RSS median %.0f KiB\n",
                runs, shown[shown.size() / 2], shown.back(), rss[rss.size() / 2]);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--once") == 0)
        return startupOnce(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "startup") == 0)
        return startup(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "memory") == 0)
        return memory(argc, argv);
    std::fprintf(stderr, "usage: bench_monitor memory [exchanges] | startup [runs]\n");
    return 2;
}
