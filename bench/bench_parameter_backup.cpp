// How long linkbench-poll backup of the default set takes at 9600 bit/s
// against the simulator playing the wire time with its 20 ms reply delay,
// next to what the line itself needs: the sum over the exchanges of both
// frames' wire time (11 bits a character) and the instrument's turnaround.
// From the backup's CSV:
//   span    first send to the last reply's end (stamp + response time);
//   sum     the exchanges' response times, each wire time plus turnaround;
//   line    the same worked out: characters × 11 / 9600 + 20 ms each;
//   share   span / line, the figure held to at most 110 %;
//   wall    the whole program, start-up, port and file included.
// The span is above the line's time by the quiet gap the engine leaves after
// each reply (three character times, 3.4 ms at 9600 bit/s) and the timer's
// rounding of it to whole milliseconds.
//
//     build/bench/bench_parameter_backup [runs]

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kBaud = 9600;
constexpr double kTurnaroundMs = 20.0; // the simulator's default reply delay

int wireCharacters(QString visible)
{
    static const QRegularExpression named(QStringLiteral("<[A-Z0-9]+>"));
    return int(visible.replace(named, QStringLiteral("_")).size());
}

QDateTime stampOf(const QString& line)
{
    return QDateTime::fromString(line.section(u',', 0, 0),
                                 QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("%4s %6s %9s %9s %9s %7s %9s\n", "run", "n", "span ms", "sum ms", "line ms",
                "share", "wall ms");
    QList<double> shares;
    for (int run = 1; run <= runs; ++run) {
        QProcess sim;
        sim.start(QStringLiteral(LINKBENCH_SIM_PATH), {"--quiet"});
        if (!sim.waitForReadyRead(5000))
            return 1;
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("backup.csv"));
        QElapsedTimer wall;
        wall.start();
        QProcess backup;
        backup.setStandardOutputFile(QProcess::nullDevice());
        backup.start(QStringLiteral(LINKBENCH_POLL_PATH),
                     {"backup", "--port", device, "--address", "1", "-o",
                      dir.filePath(QStringLiteral("set.toml")), "--csv", csv, "--quiet"});
        backup.waitForFinished(60000);
        const int status = backup.exitCode();
        const double wallMs = double(wall.nsecsElapsed()) / 1e6;
        sim.kill();
        sim.waitForFinished();
        if (status != 0)
            return 1;

        QFile file(csv);
        file.open(QIODevice::ReadOnly);
        const QStringList lines =
            QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        double sumMs = 0;
        double lineMs = 0;
        for (const QString& line : lines.mid(1)) {
            sumMs += line.section(u',', 8, 8).toDouble();
            const int characters =
                wireCharacters(line.section(u',', 5, 5)) + wireCharacters(line.section(u',', 6, 6));
            lineMs += characters * 11.0 * 1000.0 / kBaud + kTurnaroundMs;
        }
        const double spanMs = double(stampOf(lines[1]).msecsTo(stampOf(lines.back()))) +
                              lines.back().section(u',', 8, 8).toDouble();
        shares << spanMs / lineMs;
        std::printf("%4d %6lld %9.1f %9.1f %9.1f %6.1f%% %9.1f\n", run,
                    static_cast<long long>(lines.size() - 1), spanMs, sumMs, lineMs,
                    100.0 * spanMs / lineMs, wallMs);
        std::fflush(stdout);
    }
    std::sort(shares.begin(), shares.end());
    std::printf("median share %.1f%%\n", 100.0 * shares[shares.size() / 2]);
    return 0;
}
