// How close linkbench-poll comes to the limit the line itself sets, and what
// processor share it takes doing so. For each speed and function the
// simulator plays the wire time (11 bits a character) and answers at once
// (--reply-delay 0); linkbench-poll runs back to back (--interval 0 --gap 0)
// for a few seconds with a CSV file. From the CSV:
//   rate    exchanges a second, from the first send to the last;
//   limit   1 / (command + reply characters × 11 bits / speed);
//   share   rate / limit;
//   cpu     linkbench-poll's user + system time over its run time (one core);
//   floor   a bare client on a fresh simulator (device opened once, raw, the
//           frame written and the reply read with blocking poll()): what the
//           simulator and the pty allow, and the rate's share of it.
//
//     build/bench/bench_poll_wire_rate [seconds]

#include "BenchMeasures.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

#include "diagnosis/DiagnosisTarget.h"

#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Case
{
    const char* name;
    QStringList arguments;
    diagnosis::Target target; // the same command, for the bare client
};

struct Simulator
{
    QProcess process;
    QString device;

    explicit Simulator(const QString& settings)
    {
        process.start(QStringLiteral(LINKBENCH_SIM_PATH),
                      {"--settings", settings, "--reply-delay", "0", "--quiet"});
        if (process.waitForReadyRead(5000))
            device = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~Simulator()
    {
        process.kill();
        process.waitForFinished();
    }
};

// Exchanges a second a bare client makes for `seconds`.
double bareRate(const QString& settings, const QByteArray& frame, int seconds)
{
    Simulator sim(settings);
    const int fd = ::open(sim.device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return 0;
    termios raw{};
    ::tcgetattr(fd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd, TCSANOW, &raw);
    QElapsedTimer clock;
    clock.start();
    long exchanges = 0;
    while (clock.elapsed() < seconds * 1000) {
        if (!bareExchange(fd, frame))
            break;
        ++exchanges;
    }
    ::close(fd);
    return double(exchanges) * 1000.0 / double(clock.elapsed());
}

// Processor time of a process so far, in seconds.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.sliced(text.lastIndexOf(')') + 2).split(' ');
    return double(fields.value(11).toLongLong() + fields.value(12).toLongLong()) /
           double(::sysconf(_SC_CLK_TCK));
}

// Characters on the wire of a CSV field written with <NAME> control characters.
int wireCharacters(QString visible)
{
    static const QRegularExpression named(QStringLiteral("<[A-Z0-9]+>"));
    return int(visible.replace(named, QStringLiteral("_")).size());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    const QList<int> speeds = {9600, 56000};
    const QList<Case> cases = {
        {"DC1", {"--function", "dc1"}, {}},
        {"DC3",
         {"--function", "dc3", "--param", "12", "--value", "100.0"},
         {diagnosis::Function::Dc3, 1, "01", "12", "100.0"}},
        {"HBX",
         {"--function", "dc4", "--address", "5", "--param", "73"},
         {diagnosis::Function::Dc4, 5, "01", "73", "0"}},
    };
    std::printf("%-5s %6s %9s %9s %7s %6s %6s %9s %7s\n", "func", "baud", "rate/s", "limit/s",
                "share", "cpu", "n", "floor/s", "of floor");
    for (const int baud : speeds) {
        for (const Case& c : cases) {
            const QString settings = QStringLiteral("%1,n,8,2").arg(baud);
            auto sim = std::make_unique<Simulator>(settings);
            const QString device = sim->device;
            QTemporaryDir dir;
            const QString csv = dir.filePath(QStringLiteral("run.csv"));
            QProcess poll;
            poll.start(QStringLiteral(LINKBENCH_POLL_PATH),
                       QStringList{"--port", device, "--settings", settings, "--interval", "0",
                                   "--gap", "0", "--duration", QString::number(seconds), "--csv",
                                   csv, "--quiet"} +
                           c.arguments);
            poll.waitForStarted();
            const qint64 pid = poll.processId();
            double cpu = 0;
            QElapsedTimer wall;
            wall.start();
            while (poll.state() != QProcess::NotRunning) {
                const double now = cpuSeconds(pid);
                if (now >= 0)
                    cpu = now;
                poll.waitForFinished(50);
            }
            const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
            sim.reset();

            QFile file(csv);
            file.open(QIODevice::ReadOnly);
            const QStringList lines =
                QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
            if (lines.size() < 3)
                return 1;
            const auto stamp = [](const QString& line) {
                return QDateTime::fromString(line.section(u',', 0, 0),
                                             QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
            };
            const qint64 spanMs = stamp(lines[1]).msecsTo(stamp(lines.back()));
            const int exchanges = int(lines.size()) - 2; // sends between the first and the last
            const QString last = lines.back();
            const int characters =
                wireCharacters(last.section(u',', 5, 5)) + wireCharacters(last.section(u',', 6, 6));
            const double rate = exchanges * 1000.0 / double(spanMs);
            const double limit = double(baud) / (11.0 * characters);
            const double floor = bareRate(settings, diagnosis::commandFrame(c.target), seconds);
            std::printf("%-5s %6d %9.2f %9.2f %6.1f%% %5.1f%% %6d %9.2f %6.1f%%\n", c.name, baud,
                        rate, limit, 100.0 * rate / limit, 100.0 * cpu / wallSeconds, exchanges + 1,
                        floor, 100.0 * rate / floor);
            std::fflush(stdout);
        }
    }
    return 0;
}
