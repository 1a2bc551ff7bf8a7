// The memory a listen takes however long it runs: a BusListener fed the bytes
// of a bus with eleven instruments polled by another master, in chunks, with
// time-outs, spoiled check fields, stray characters and late replies mixed
// in, each row turned into its CSV fields as linkbench-poll writes them. The
// process's resident size is printed after 1,000 and after 1,000,000
// exchanges (or the count given), and the time an exchange takes.
//
//     build/bench/bench_listen_memory [exchanges]

#include "BenchMeasures.h"
#include "diagnosis/BusListener.h"
#include "wire/CommandFrame.h"
#include "wire/ReplyFrame.h"

#include <QElapsedTimer>

#include <cstdio>
#include <random>

int main(int argc, char* argv[])
{
    const long long total = argc > 1 ? std::atoll(argv[1]) : 1'000'000;
    qsizetype csvChars = 0;
    diagnosis::ListenSettings settings;
    settings.timeoutMs = 100;
    diagnosis::BusListener listener(settings, QDateTime::currentDateTime(),
                                    [&](const diagnosis::ListenedExchange& x) {
                                        for (const QString& field : listenedCsvFields(x))
                                            csvChars += field.size();
                                    });
    std::mt19937_64 random(1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<qint64> turnaroundUs(20'000, 60'000);

    std::vector<std::pair<long long, long>> checkpoints;
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    qint64 nowUs = 0;
    QByteArray late;
    for (long long i = 0; i < total; ++i) {
        const int address = int(i % 11) + 1;
        const QByteArray place = wire::addressField(address);
        listener.take(0, wire::dc1Frame(place, "01"), nowUs);
        if (!late.isEmpty())
            listener.take(0, std::exchange(late, {}), nowUs + 5'000);
        QByteArray reply =
            "x" + wire::framedReply(place + "01+" + QByteArray::number(address * 1.5, 'f', 1));
        const int draw = percent(random);
        if (draw < 3)
            reply[reply.size() - 2] = reply[reply.size() - 2] == '0' ? '1' : '0';
        const qint64 replyUs = nowUs + turnaroundUs(random);
        // 0..2 spoiled, 3..4 lost, 5..7 late (during the next exchange).
        if (draw >= 5 && draw < 8)
            late = reply;
        else if (draw < 3 || draw >= 8) {
            listener.take(0, reply.first(6), replyUs - 3'000);
            listener.take(0, reply.sliced(6), replyUs);
        }
        nowUs += 200'000;
        if (i + 1 == 1000 || i + 1 == 1'000'000)
            checkpoints.push_back({i + 1, residentKiB()});
    }
    listener.advance(nowUs);
    const double us = double(timer.nsecsElapsed()) / 1000.0 / double(total);
    const long after = residentKiB();
    const diagnosis::ResponseStatistics& all = listener.statistics().overall;
    std::printf("exchanges listened:        %lld (%zu targets)\n", total,
                size_t(listener.targets().size()));
    for (const auto& [count, kib] : checkpoints)
        std::printf("resident after %9lld:    %ld KiB\n", count, kib);
    std::printf("resident before / after:   %ld KiB / %ld KiB (growth %ld KiB)\n", before, after,
                after - before);
    std::printf("time per exchange:         %.2f us\n", us);
    std::printf("ok %llu  timeout %llu  check %llu  unpaired %llu  csv characters %lld\n",
                all.count(diagnosis::Outcome::Ok), all.count(diagnosis::Outcome::Timeout),
                all.count(diagnosis::Outcome::Check), listener.unpaired(), (long long)csvChars);
    return 0;
}
