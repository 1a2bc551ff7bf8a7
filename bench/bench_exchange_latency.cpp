// How fast one exchange goes through the real window and serial line: the
// window as the start-up module builds it, its QtSerialLine on COM1 mapped to
// a pseudo-terminal, and an instrument on the pty's master in a thread of its
// own that answers every read-value command at once.
//
// Two figures per exchange, median and maximum over 200 exchanges:
//   send:  from triggering "通讯(&S)" to the frame's last byte read at the peer;
//   reply: from the reply's last byte written at the peer to the entry standing
//          in REC1's document (the transcript model holds it before the pane),
//          and, as a third figure, to the end of the event processing that
//          follows (the pane repainted).
// Measured with the transcript emptied before each exchange, then with REC1
// holding 100 entries (a full pane, a short transcript) and 100,000 entries,
// filled through the pane's own insertion. The port's close and reopen, the
// first steps of every Start, is also timed on its own. The resident set size
// is printed with the window shown and after each filling.
//
//     QT_QPA_PLATFORM=offscreen build-rel/bench/bench_exchange_latency [exchanges] [entries]

#include "BenchMeasures.h"
#include "platform/QtSerialLine.h"
#include "ui/ComTest.h"
#include "ui/TextModule.h"
#include "ui/TranscriptPane.h"
#include "widgets/ApplicationSetup.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               SteadyClock::now().time_since_epoch())
        .count();
}

const QByteArray kReply = QByteArrayLiteral("\x02"
                                            "00101+0123.412345\x17");
const QString kFillEntry =
    QStringLiteral("▲△▲△ 读瞬时值   校验和:12345 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:\x11"
                   "00101\x03 →接收:\x02"
                   "00101+0123.412345\x17");

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "bench_exchange_latency: %s\n", what);
    std::exit(1);
}

// The resident set size from /proc/self/status, in KiB.
// The instrument: reads commands from the pty's master and answers each one as
// soon as its ETX has arrived, noting when the frame's last byte was read and
// when the reply is written.
class Instrument
{
public:
    Instrument()
    {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            fail("openpty failed");
        termios raw{};
        ::tcgetattr(m_master, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_master, TCSANOW, &raw);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_slaveName = QByteArray(name);
        m_thread = std::thread([this] { run(); });
    }
    ~Instrument()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_master);
        ::close(m_slave); // kept open so that the program's reopening never hangs up the line
    }

    QByteArray slaveName() const { return m_slaveName; }
    int answered() const { return m_answered.load(std::memory_order_acquire); }
    qint64 frameReadNs() const { return m_frameRead.load(std::memory_order_acquire); }
    qint64 replyWrittenNs() const { return m_replyWritten.load(std::memory_order_acquire); }

private:
    void run()
    {
        QByteArray pending;
        char buffer[256];
        while (!m_stop) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            pending.append(buffer, n);
            if (!pending.contains('\x03'))
                continue;
            m_frameRead.store(nowNs(), std::memory_order_release);
            pending.clear();
            // Noted before the write: the program may take the reply before this
            // thread runs again. Writing a few bytes to a pty takes microseconds.
            m_replyWritten.store(nowNs(), std::memory_order_release);
            m_answered.fetch_add(1, std::memory_order_acq_rel);
            if (::write(m_master, kReply.constData(), size_t(kReply.size())) != kReply.size())
                fail("the reply could not be written at once");
        }
    }

    int m_master = -1;
    int m_slave = -1;
    QByteArray m_slaveName;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_answered{0};
    std::atomic<qint64> m_frameRead{0};
    std::atomic<qint64> m_replyWritten{0};
};

struct Sample
{
    double sendMs;
    double replyMs;
    double shownMs;
};

class Exchanger
{
public:
    Exchanger(ComTest& window, Instrument& instrument) : m_window(window), m_instrument(instrument)
    {
        QObject::connect(m_window.REC1->document(), &QTextDocument::contentsChanged, [this] {
            if (!m_waiting)
                return;
            m_entryNs = nowNs();
            m_waiting = false;
            m_loop.quit();
        });
        m_giveUp.setSingleShot(true);
        QObject::connect(&m_giveUp, &QTimer::timeout, [] { fail("no entry within 2 s"); });
    }

    // One Start, one answer, one entry; the times from both ends of the line.
    Sample exchange()
    {
        const int answeredBefore = m_instrument.answered();
        const qsizetype entriesBefore = m_window.transcript().entryCount();
        m_waiting = true;
        m_giveUp.start(2000);
        const qint64 startNs = nowNs();
        m_window.Mnu开始->trigger();
        if (m_waiting)
            m_loop.exec();
        m_giveUp.stop();
        if (m_window.transcript().entryCount() != entriesBefore + 1)
            fail("the model does not hold the entry when REC1 does");
        QCoreApplication::processEvents(); // the repaint that shows the entry
        const qint64 shownNs = nowNs();
        if (m_instrument.answered() != answeredBefore + 1)
            fail("the instrument did not answer exactly once");
        if (m_window.Timer2->isActive())
            fail("the reply timer is still armed after the entry");
        const qint64 replyNs = m_instrument.replyWrittenNs();
        return {(m_instrument.frameReadNs() - startNs) / 1e6, (m_entryNs - replyNs) / 1e6,
                (shownNs - replyNs) / 1e6};
    }

private:
    ComTest& m_window;
    Instrument& m_instrument;
    QEventLoop m_loop;
    QTimer m_giveUp;
    bool m_waiting = false;
    qint64 m_entryNs = 0;
};

struct Spread
{
    double median;
    double max;
};

Spread spread(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

struct Figures
{
    Spread send;
    Spread reply;
    Spread shown;
};

Figures measure(Exchanger& exchanger, ComTest& window, int exchanges, bool emptyEachTime)
{
    std::vector<double> send, reply, shown;
    for (int i = 0; i < exchanges; ++i) {
        if (emptyEachTime)
            window.MnuClr->trigger();
        const Sample s = exchanger.exchange();
        send.push_back(s.sendMs);
        reply.push_back(s.replyMs);
        shown.push_back(s.shownMs);
    }
    return {spread(send), spread(reply), spread(shown)};
}

// The first steps of every Start alone: the port closed and opened again, its
// buffers emptied. On Linux QSerialPort takes a lock file in /var/lock at each
// open and removes it at each close.
Spread measureReopen(SerialLine& line, int times)
{
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer timer;
        timer.start();
        line.close();
        QString reason;
        if (!line.open(1, QStringLiteral("9600,n,8,2"), &reason))
            fail("the port did not open again");
        line.clearBuffers();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return spread(ms);
}

void print(const char* state, const Figures& f, int exchanges)
{
    std::printf("%s, %d exchanges:\n", state, exchanges);
    std::printf("  Start to frame's last byte at the peer: median %.3f ms, max %.3f ms\n",
                f.send.median, f.send.max);
    std::printf("  reply's last byte to entry in REC1:     median %.3f ms, max %.3f ms\n",
                f.reply.median, f.reply.max);
    std::printf("  reply's last byte to pane repainted:    median %.3f ms, max %.3f ms\n",
                f.shown.median, f.shown.max);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int exchanges = argc > 1 ? std::atoi(argv[1]) : 200;
    const int held = argc > 2 ? std::atoi(argv[2]) : 100000;
    if (exchanges < 1 || held < 0)
        fail("usage: bench_exchange_latency [exchanges] [entries]");
    prepareApplication(app);

    Instrument instrument;
    qputenv("LINKBENCH_COM1", instrument.slaveName());
    PlatformServices services = realPlatformServices();
    services.messageBox = [](QWidget*,
                             const MessageRequest& request) -> QMessageBox::StandardButton {
        std::fprintf(stderr, "message box: %s\n", qPrintable(request.text));
        std::exit(1);
    };
    TEXT module(std::make_unique<QtSerialLine>(), services);
    module.startUp();
    ComTest& window = module.window();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("RSS with the window shown, transcript empty: %ld KiB\n", residentKiB());

    Exchanger exchanger(window, instrument);
    for (int i = 0; i < 10; ++i) // the first open of the port, the first paint of an entry
        exchanger.exchange();
    const Figures empty = measure(exchanger, window, exchanges, true);
    print("transcript emptied before each exchange", empty, exchanges);
    const Spread reopen = measureReopen(module.line(), exchanges);
    std::printf("  of Start, the port's close, reopen and emptying alone: median %.3f ms, max "
                "%.3f ms\n",
                reopen.median, reopen.max);

    // A pane full of text but a short transcript first, so that the cost of
    // painting a full pane can be told from the cost of a long transcript.
    window.MnuClr->trigger();
    Figures full{};
    for (const int target : {std::min(100, held), held}) {
        QElapsedTimer fill;
        fill.start();
        while (window.transcript().entryCount() < target)
            window.REC1->putOnTop({kFillEntry});
        QCoreApplication::processEvents();
        std::printf("filling REC1 to %d entries took %.1f s; RSS %ld KiB\n", target,
                    fill.elapsed() / 1000.0, residentKiB());
        full = measure(exchanger, window, exchanges, false);
        print(qPrintable(QStringLiteral("transcript holding %1 entries").arg(target)), full,
              exchanges);
    }
    std::printf("ratio of medians, %d entries to emptied: send %.2f, entry in REC1 %.2f, "
                "repainted %.2f\n",
                held, full.send.median / empty.send.median, full.reply.median / empty.reply.median,
                full.shown.median / empty.shown.median);
    return 0;
}
