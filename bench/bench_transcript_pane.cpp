// How long putting one entry on top of REC1 takes, pane shown and repainted,
// with the transcript holding 0, 1,000, 10,000 and 100,000 entries. Prints the
// median and the maximum over 200 entries at each size, and the process's
// resident memory at each size.
//
//     QT_QPA_PLATFORM=offscreen build/bench_transcript_pane

#include "transcript/Transcript.h"
#include "ui/TranscriptPane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString kEntry =
    QStringLiteral("▲△▲△ 读瞬时值   校验和:12345 ◆◆  测试时间:2026-12-7 6:03:46\r\n发送:\x11"
                   "00101\x03 →接收:\x02"
                   "00101+0123.412345\x17");

// The process's resident memory in MiB, from /proc (Linux only; -1 elsewhere).
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

void measure(TranscriptPane& pane, qsizetype held)
{
    constexpr int kSamples = 200;
    std::vector<double> ms;
    for (int i = 0; i < kSamples; ++i) {
        QElapsedTimer timer;
        timer.start();
        pane.putOnTop({kEntry});
        QCoreApplication::processEvents(); // the repaint is part of the cost
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%9lld entries held: median %.3f ms, max %.3f ms per entry\n",
                static_cast<long long>(held), ms[ms.size() / 2], ms.back());
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Transcript transcript;
    TranscriptPane pane(transcript);
    pane.resize(609, 257);
    pane.show();
    QCoreApplication::processEvents();

    for (const qsizetype target :
         {qsizetype(0), qsizetype(1000), qsizetype(10000), qsizetype(100000)}) {
        QElapsedTimer fill;
        fill.start();
        pane.clearTranscript();
        while (transcript.entryCount() < target)
            pane.putOnTop({kEntry});
        QCoreApplication::processEvents();
        if (target > 0)
            std::printf("filling %lld entries took %.0f ms, resident memory %.1f MiB\n",
                        static_cast<long long>(target), fill.nsecsElapsed() / 1e6, residentMiB());
        else
            std::printf("resident memory with an empty pane %.1f MiB\n", residentMiB());
        measure(pane, target);
    }
    return 0;
}
