// How many exchanges a second the tool sustains against linkbench-sim at
// 56000 bit/s, choosing "通讯(&S)" again as soon as the previous entry is
// written, compared with the limit the line itself sets: the characters of the
// command and of its reply, 11 bits each, at 56000 bit/s.
//
// The window is the one the start-up module builds, shown, on its real
// QtSerialLine; COM1 is mapped to the simulator's pty. The simulator plays the
// wire time (each character handed over when its last bit would have arrived)
// and answers at once (--reply-delay 0). Per function:
//   rate     exchanges per second over the measured run, and its share of the limit;
//   typ/s    the rate of a typical exchange, 1000 / (entry + next), which leaves
//            out the rare slow ones (a busy disk, see reopen);
//   start    median time inside the Start command (the port's close, reopen
//            and buffer flush, the composed frame queued, the stamp);
//   toLine   median time from the Start command's return to the port's write
//            notifier, in whose handler QSerialPort hands the queued frame to
//            the device (the window's pending repaint runs first);
//   entry    median time from choosing Start to the entry in the transcript;
//   last     median time from the port's last read wake-up to the entry (the
//            handling of the chunk that completes the answer);
//   next     median time from the entry to the next Start;
//   reopen   median of the port's close, open and buffer flush on their own;
//   st.p99   the 99th percentile of start: QSerialPort's open takes a lock
//            file in /var/lock and syncs it to disk, which a busy disk makes slow.
// Two variants done from outside the program show where time goes: the frame
// pushed to the device inside Start (QSerialPort::flush() after the command;
// the program leaves it to the event loop), and the window hidden (no repaint).
// Last, a bare client on a fresh simulator (device opened once, raw, blocking
// reads) gives the floor that the simulator and the pty set.
//
//     build-rel/bench/bench_sim_exchange_rate [exchanges [DC1|DC3|DC4]]

#include "BenchMeasures.h"
#include "platform/Clock.h"
#include "platform/QtSerialLine.h"
#include "platform/SerialLine.h"
#include "ui/ComTest.h"
#include "ui/TextModule.h"
#include "ui/TranscriptPane.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kBaud = 56000;
constexpr int kBitsPerCharacter = 11;
constexpr int kWarmUp = 20;

struct Function
{
    const char* name;
    int position;     // in the function list
    int replyLength;  // characters of the simulator's answer (docs/protocol.md)
    QByteArray frame; // what the window sends for it, for the bare client
};

// The write goes to parameter 11 with the value box's start text 00000.0; the
// HBX's 73 answer carries the eleven instruments of the default bus.
const Function kFunctions[] = {
    {"DC1 read value", 0, 19,
     QByteArrayLiteral("\x11"
                       "00501\x03")},
    {"DC3 write", 2, 1,
     QByteArrayLiteral("\x13"
                       "00501\x1f"
                       "11\x1f"
                       "0000.0\x1f"
                       "00742\x03")},
    {"DC4 73 HBX values", 3, 155,
     QByteArrayLiteral("\x14"
                       "05\x12"
                       "00101\x1f"
                       "73\x03")},
};

class Simulator
{
public:
    ~Simulator()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    QString start()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(LINKBENCH_SIM_PATH),
                        {QStringLiteral("--settings"), QStringLiteral("56000,n,8,2"),
                         QStringLiteral("--reply-delay"), QStringLiteral("0"),
                         QStringLiteral("--quiet")});
        if (!m_process.waitForStarted(5000))
            return {};
        QDeadlineTimer deadline(5000);
        while (!m_process.canReadLine() && !deadline.hasExpired())
            m_process.waitForReadyRead(int(deadline.remainingTime()));
        return QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }

private:
    QProcess m_process;
};

// How the exchanges are driven.
enum class Variant {
    AsBuilt,       // as the program does it
    FlushedAtOnce, // QSerialPort::flush() right after the Start command
    WindowHidden,  // the window never shown, so nothing is repainted
};

const char* variantTitle(Variant variant)
{
    switch (variant) {
    case Variant::AsBuilt:
        return "The tool as built:";
    case Variant::FlushedAtOnce:
        return "The frame pushed to the device inside Start (not what the program does):";
    case Variant::WindowHidden:
        return "The window hidden, so that the pane is never repainted:";
    }
    return "";
}

// Notes when the port's notifiers wake the window up: the first write
// notifier after a Start (the queued frame goes to the device), and the last
// read notifier (the chunk that completes the answer).
class PortWakeUps : public QObject
{
public:
    PortWakeUps(const QObject* port, const QElapsedTimer& clock) : m_port(port), m_clock(clock) {}
    qint64 firstWrite = -1;
    qint64 lastRead = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::SockAct || watched->parent() != m_port)
            return false;
        const auto type = static_cast<QSocketNotifier*>(watched)->type();
        if (type == QSocketNotifier::Read)
            lastRead = m_clock.nsecsElapsed();
        else if (type == QSocketNotifier::Write && firstWrite < 0)
            firstWrite = m_clock.nsecsElapsed();
        return false;
    }

private:
    const QObject* m_port;
    const QElapsedTimer& m_clock;
};

// Per measured exchange, in nanoseconds; see the top of the file.
struct Figures
{
    double seconds = 0;
    int timeouts = 0;
    int boxes = 0;
    QByteArray frame; // the frame the window sent
    std::vector<qint64> start, toLine, entry, last, next, reopen;
};

double percentileMs(std::vector<qint64> values, double share)
{
    if (values.empty())
        return 0;
    const auto at = values.begin() + qsizetype(double(values.size() - 1) * share);
    std::nth_element(values.begin(), at, values.end());
    return double(*at) / 1e6;
}

double medianMs(const std::vector<qint64>& values)
{
    return percentileMs(values, 0.5);
}

Figures run(const Function& function, int exchanges, Variant variant)
{
    Figures figures;
    Simulator sim;
    const QString device = sim.start();
    if (device.isEmpty()) {
        std::fprintf(stderr, "linkbench-sim did not start (%s)\n", LINKBENCH_SIM_PATH);
        return figures;
    }
    qputenv("LINKBENCH_COM1", device.toLocal8Bit());

    PlatformServices services = realPlatformServices();
    services.messageBox = [&figures](QWidget*, const MessageRequest& request) {
        ++figures.boxes;
        std::fprintf(stderr, "message box: %s\n", qPrintable(request.text));
        return QMessageBox::Ok;
    };
    TEXT module(std::make_unique<QtSerialLine>(), services);
    module.createWindow();
    module.selectDefaults();
    if (variant != Variant::WindowHidden)
        module.showWindow();
    ComTest& w = module.window();
    w.Combo3->setCurrentIndex(w.Combo3->count() - 1); // "56000,n,8,2"
    w.Combo6->setEditText(QStringLiteral("005"));     // instrument 005, and the HBX at 05
    w.Combo5->setCurrentIndex(function.position);
    auto* port = module.line().findChild<QSerialPort*>();

    const Transcript& transcript = w.transcript();
    const int total = kWarmUp + exchanges;
    int started = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 startedAt = 0, entryAt = -1, measuredFrom = 0;
    QEventLoop loop;
    QObject context;
    PortWakeUps wakeUps(port, clock);
    qint64 returnedAt = 0;
    QCoreApplication::instance()->installEventFilter(&wakeUps);

    const auto startNext = [&] {
        const bool measuring = started >= kWarmUp;
        if (started == kWarmUp)
            measuredFrom = clock.nsecsElapsed();
        ++started;
        startedAt = clock.nsecsElapsed();
        if (measuring && entryAt >= 0)
            figures.next.push_back(startedAt - entryAt);
        wakeUps.firstWrite = -1;
        w.Mnu开始->trigger();
        if (variant == Variant::FlushedAtOnce && port)
            port->flush();
        returnedAt = clock.nsecsElapsed();
        if (measuring)
            figures.start.push_back(returnedAt - startedAt);
    };
    // Each tick of the reply timer writes one time-out entry.
    QObject::connect(w.Timer2, &QTimer::timeout, &context, [&] { ++figures.timeouts; });
    QObject::connect(w.REC1, &QPlainTextEdit::textChanged, &context, [&] {
        if (transcript.entryCount() != started)
            return;
        entryAt = clock.nsecsElapsed();
        if (started > kWarmUp) {
            figures.entry.push_back(entryAt - startedAt);
            if (wakeUps.lastRead > startedAt)
                figures.last.push_back(entryAt - wakeUps.lastRead);
            // Flushed, the frame has gone before the notifier fires.
            if (variant != Variant::FlushedAtOnce && wakeUps.firstWrite > returnedAt)
                figures.toLine.push_back(wakeUps.firstWrite - returnedAt);
        }
        if (started < total)
            QTimer::singleShot(0, &context, startNext); // after the writer's handler returns
        else
            loop.quit();
    });
    QTimer::singleShot(0, &context, startNext);
    QTimer::singleShot(600'000, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::instance()->removeEventFilter(&wakeUps);
    figures.seconds = double(entryAt - measuredFrom) / 1e9;
    figures.frame = module.vars().SentFrame.toLatin1();

    // The port's reopen on its own, as every Start does it.
    SerialLine& line = module.line();
    const QString settings = w.Combo3->currentText();
    for (int i = 0; i < 200; ++i) {
        const qint64 before = clock.nsecsElapsed();
        line.close();
        line.open(1, settings, nullptr);
        line.clearBuffers();
        figures.reopen.push_back(clock.nsecsElapsed() - before);
    }
    qunsetenv("LINKBENCH_COM1");
    return figures;
}

// The same frame exchanged by a bare client on a fresh simulator's pty: the
// device opened once, raw, the frame written and the answer read with
// blocking poll() until its last character.
struct Bare
{
    double rate = 0;
    std::vector<qint64> exchange;
};

Bare bareLine(const QByteArray& frame, int exchanges)
{
    Bare bare;
    Simulator sim;
    const QByteArray device = sim.start().toLocal8Bit();
    const int fd = device.isEmpty() ? -1 : ::open(device.constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return bare;
    termios raw{};
    tcgetattr(fd, &raw);
    cfmakeraw(&raw);
    tcsetattr(fd, TCSANOW, &raw);
    QElapsedTimer clock;
    clock.start();
    qint64 measuredFrom = 0;
    for (int i = 0; i < kWarmUp + exchanges; ++i) {
        if (i == kWarmUp)
            measuredFrom = clock.nsecsElapsed();
        const qint64 before = clock.nsecsElapsed();
        if (!bareExchange(fd, frame))
            break;
        if (i >= kWarmUp)
            bare.exchange.push_back(clock.nsecsElapsed() - before);
    }
    if (!bare.exchange.empty())
        bare.rate =
            double(bare.exchange.size()) * 1e9 / double(clock.nsecsElapsed() - measuredFrom);
    ::close(fd);
    return bare;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int exchanges = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 500;
    const QByteArray only = argc > 2 ? QByteArray(argv[2]) : QByteArray(); // "DC1", "DC3", "DC4"
    const double characterMs = 1000.0 * kBitsPerCharacter / kBaud;
    const auto limitOf = [&](const Function& function) {
        return 1000.0 / (double(function.frame.size() + function.replyLength) * characterMs);
    };

    std::printf("Exchanges against linkbench-sim at %d bit/s, wire time on, reply delay 0 ms;\n"
                "%d measured per function after %d to warm up; times are medians in ms.\n",
                kBaud, exchanges, kWarmUp);
    for (const Variant variant :
         {Variant::AsBuilt, Variant::FlushedAtOnce, Variant::WindowHidden}) {
        std::printf("\n%s\n", variantTitle(variant));
        std::printf("%-18s %5s %8s %8s %7s %6s | %6s %6s %6s %6s %6s %6s %6s | %4s\n", "function",
                    "chars", "limit/s", "rate/s", "share", "typ/s", "start", "toLine", "entry",
                    "last", "next", "reopen", "st.p99", "t/o");
        for (const Function& function : kFunctions) {
            if (!QByteArray(function.name).startsWith(only))
                continue;
            const Figures f = run(function, exchanges, variant);
            const double rate = f.seconds > 0 ? double(exchanges) / f.seconds : 0;
            const double typical = 1000.0 / (medianMs(f.entry) + medianMs(f.next));
            std::printf("%-18s %5lld %8.1f %8.1f %6.1f%% %6.1f | %6.2f %6.2f %6.2f %6.2f %6.2f "
                        "%6.2f %6.2f | %4d\n",
                        function.name, qint64(function.frame.size() + function.replyLength),
                        limitOf(function), rate, 100.0 * rate / limitOf(function), typical,
                        medianMs(f.start), medianMs(f.toLine), medianMs(f.entry), medianMs(f.last),
                        medianMs(f.next), medianMs(f.reopen), percentileMs(f.start, 0.99),
                        f.timeouts);
            if (f.boxes > 0)
                std::printf("  %d message boxes: the figures above are not exchanges\n", f.boxes);
            if (f.frame != function.frame)
                std::printf("  the window sent another frame than the table's\n");
            std::fflush(stdout);
        }
    }

    // The simulator counts a command's first character as arriving when it
    // reads it, so its own share of an exchange is one character time less
    // than the limit's: "sim" is that ideal.
    std::printf("\nA bare client on the simulator's pty (device opened once, blocking reads):\n");
    std::printf("%-18s %5s %8s %8s %7s | %6s %6s\n", "function", "chars", "limit/s", "rate/s",
                "share", "exch.", "sim");
    for (const Function& function : kFunctions) {
        if (!QByteArray(function.name).startsWith(only))
            continue;
        const Bare b = bareLine(function.frame, exchanges);
        const qsizetype chars = function.frame.size() + function.replyLength;
        std::printf("%-18s %5lld %8.1f %8.1f %6.1f%% | %6.2f %6.2f\n", function.name, qint64(chars),
                    limitOf(function), b.rate, 100.0 * b.rate / limitOf(function),
                    medianMs(b.exchange), double(chars - 1) * characterMs);
        std::fflush(stdout);
    }
    return 0;
}
