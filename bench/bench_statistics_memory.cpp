// The memory the diagnosis statistics take however long a run: ten million
// exchanges recorded into one target's statistics and the overall ones, with
// the process's resident size before and after, and the time an add takes.
//
//     build/bench/bench_statistics_memory [exchanges]

#include "BenchMeasures.h"
#include "diagnosis/ResponseStatistics.h"

#include <QElapsedTimer>

#include <cstdio>
#include <random>

int main(int argc, char* argv[])
{
    const long long total = argc > 1 ? std::atoll(argv[1]) : 10'000'000;
    using diagnosis::Outcome;
    diagnosis::RunStatistics stats;
    stats.perTarget.resize(1);
    std::mt19937_64 random(1);
    std::uniform_int_distribution<qint64> responseUs(5'000, 3'000'000);

    std::vector<std::pair<long long, long>> checkpoints;
    checkpoints.reserve(4);
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    for (long long i = 0; i < total; ++i) {
        const bool timedOut = i % 50 == 0;
        const Outcome outcome = timedOut ? Outcome::Timeout : Outcome::Ok;
        const qint64 us = timedOut ? -1 : responseUs(random);
        stats.overall.add(outcome, us, 0);
        stats.perTarget[0].add(outcome, us, 0);
        if (i + 1 == 1000 || i + 1 == 1'000'000)
            checkpoints.push_back({i + 1, residentKiB()});
    }
    const double ns = double(timer.nsecsElapsed()) / double(total);
    const long after = residentKiB();
    std::printf("exchanges recorded:        %lld\n", total);
    std::printf("sizeof(ResponseStatistics): %zu bytes (fixed)\n",
                sizeof(diagnosis::ResponseStatistics));
    for (const auto& [count, kib] : checkpoints)
        std::printf("resident after %9lld:    %ld KiB\n", count, kib);
    std::printf("resident before / after:   %ld KiB / %ld KiB (growth %ld KiB)\n", before, after,
                after - before);
    std::printf("time per exchange, both:   %.1f ns\n", ns);
    std::printf("p50 %.2f ms  p99 %.2f ms  max %.2f ms\n", stats.overall.medianMs(),
                stats.overall.percentileMs(99), stats.overall.maxMs());
    return 0;
}
