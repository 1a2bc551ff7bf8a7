// How long the program takes to show its window, measured inside the process:
// this program starts itself again and again with "--once"; each child builds
// the window exactly as the program does (QApplication, the application set-up,
// the start-up module on a real serial line) and reports
//   - from QApplication's creation to the window's first expose event,
//   - from QApplication's creation to the end of the window's first paint,
//   - from main() to that same first paint,
//   - its resident set size at that moment;
// the parent adds the wall time from launching the child to reading its report,
// and prints median and maximum of each.
//
//     QT_QPA_PLATFORM=offscreen build-rel/bench/bench_startup [runs]
//     xvfb-run -a build-rel/bench/bench_startup [runs]

#include "BenchMeasures.h"
#include "platform/QtSerialLine.h"
#include "ui/ComTest.h"
#include "ui/TextModule.h"
#include "widgets/ApplicationSetup.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Notes the first expose of any window and the end of the first paint of the
// main window's widgets (the event processing that follows its first paint).
class FirstShowWatch : public QObject
{
public:
    explicit FirstShowWatch(const QElapsedTimer& clock) : m_clock(clock) {}

    qint64 exposedNs = -1;
    qint64 paintedNs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && exposedNs < 0) {
            const auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed())
                exposedNs = m_clock.nsecsElapsed();
        } else if (event->type() == QEvent::Paint && !m_paintSeen && watched->isWidgetType() &&
                   static_cast<QWidget*>(watched)->window()->objectName() ==
                       QLatin1String("ComTest")) {
            // The window's widgets are painted in one go; the zero timer runs
            // once that whole first paint has been done.
            m_paintSeen = true;
            QTimer::singleShot(0, [this] {
                paintedNs = m_clock.nsecsElapsed();
                // Not quit(): it would close the window, which asks for confirmation.
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    const QElapsedTimer& m_clock;
    bool m_paintSeen = false;
};

int runOnce(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QElapsedTimer sinceApp;
    sinceApp.start();
    const qint64 appCreatedNs = sinceMain.nsecsElapsed();

    FirstShowWatch watch(sinceApp);
    app.installEventFilter(&watch);
    QTimer::singleShot(10000, [] {
        std::fprintf(stderr, "bench_startup: the window was not shown within 10 s\n");
        std::exit(1);
    });

    prepareApplication(app);
    TEXT module(std::make_unique<QtSerialLine>(), realPlatformServices());
    module.startUp();
    QApplication::exec();

    std::printf("shown %.3f %.3f %.3f %ld\n", watch.exposedNs / 1e6, watch.paintedNs / 1e6,
                (watch.paintedNs + appCreatedNs) / 1e6, residentKiB());
    std::fflush(stdout);
    return 0;
}

struct Column
{
    const char* what;
    std::vector<double> values;
};

void printColumn(Column column, const char* unit)
{
    std::sort(column.values.begin(), column.values.end());
    std::printf("  %-50s median %8.1f %s, max %8.1f %s\n", column.what,
                column.values[column.values.size() / 2], unit, column.values.back(), unit);
}

int runMany(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    if (runs < 1) {
        std::fprintf(stderr, "usage: bench_startup [runs]\n");
        return 1;
    }
    Column launch{"launch to first paint (wall, seen by the parent)", {}};
    Column exposed{"QApplication created to first expose", {}};
    Column painted{"QApplication created to first paint done", {}};
    Column fromMain{"main() to first paint done", {}};
    Column rss{"RSS at first paint", {}};

    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer wall;
        wall.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--once")});
        QByteArray report;
        while (!report.contains('\n') && child.waitForReadyRead(10000))
            report += child.readAllStandardOutput();
        const double launchMs = wall.nsecsElapsed() / 1e6;
        child.waitForFinished(10000);
        const QList<QByteArray> fields = report.trimmed().split(' ');
        if (fields.size() != 5 || fields[0] != "shown") {
            std::fprintf(stderr, "bench_startup: run %d reported \"%s\"\n", i + 1,
                         report.constData());
            return 1;
        }
        launch.values.push_back(launchMs);
        exposed.values.push_back(fields[1].toDouble());
        painted.values.push_back(fields[2].toDouble());
        fromMain.values.push_back(fields[3].toDouble());
        rss.values.push_back(fields[4].toDouble());
    }

    std::printf("start-up to the shown window, %d runs, platform %s:\n", runs,
                qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
                    ? qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM"))
                    : "default");
    printColumn(launch, "ms");
    printColumn(exposed, "ms");
    printColumn(painted, "ms");
    printColumn(fromMain, "ms");
    printColumn(rss, "KiB");
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--once") == 0)
        return runOnce(argc, argv);
    return runMany(argc, argv);
}
