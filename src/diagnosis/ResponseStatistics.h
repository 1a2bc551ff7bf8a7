#pragma once

#include "diagnosis/ExchangeOutcome.h"

#include <QList>
#include <array>
#include <vector>

namespace diagnosis {

// One bar of a response-time histogram: responses in [fromMs, toMs).
struct HistogramBucket
{
    double fromMs = 0;
    double toMs = 0;
    quint64 count = 0;
};

// Counts and response times of the exchanges with one target (or all of
// them), in the same small memory however long the run. Response times go into
// fixed logarithmic bins, 240 a decade from 0.1 ms to 100 s, so a percentile
// read off them is within 0.5 % (below 0.1 ms within 0.1 ms); min and max are
// kept exactly. Response times are those of every exchange that got a complete
// reply, whatever its outcome.
class ResponseStatistics
{
public:
    static constexpr int kBinsPerDecade = 240;
    static constexpr int kDecades = 6; // 0.1 ms .. 100 s
    static constexpr double kLowestMs = 0.1;

    void add(Outcome outcome, qint64 responseUs, int noiseBytes);
    // Bytes that came after an exchange's time-out, before the next send;
    // `firstForExchange` for the first piece of them after that exchange.
    void addLate(int bytes, bool firstForExchange);
    // Stray bytes between exchanges after a complete reply: counted as noise.
    void addStray(int bytes);

    quint64 sent() const { return m_sent; }
    quint64 count(Outcome outcome) const { return m_outcomes[std::size_t(outcome)]; }
    // Exchanges whose outcome is no failure.
    quint64 succeeded() const;
    quint64 lateExchanges() const { return m_lateExchanges; }
    quint64 lateBytes() const { return m_lateBytes; }
    quint64 noisyExchanges() const { return m_noisyExchanges; }
    quint64 noiseBytes() const { return m_noiseBytes; }
    // Share of ok exchanges, 0..1; 0 before the first exchange.
    double successRatio() const;

    quint64 responses() const { return m_responses; }
    // In milliseconds; 0 before the first response.
    double minMs() const;
    double maxMs() const;
    double medianMs() const { return percentileMs(50); }
    // The response time below which `percent` of the responses lie.
    double percentileMs(double percent) const;

    // Bars from 0.1 ms up to `limitMs` (the time-out), `perDecade` of them a
    // decade (1, 2, 3, 4, 5, 6, 8, 10, 12, ... divisors of 240), their edges
    // 0.1 × 10^(k/perDecade) ms; a first bar below 0.1 ms.
    QList<HistogramBucket> histogram(double limitMs, int perDecade = 5) const;

private:
    static constexpr int kBins = kBinsPerDecade * kDecades + 2; // below, ..., above
    static int binOf(qint64 responseUs);
    static double binLowMs(int bin);

    std::array<quint64, kOutcomeCount> m_outcomes{};
    quint64 m_sent = 0;
    quint64 m_lateExchanges = 0;
    quint64 m_lateBytes = 0;
    quint64 m_noisyExchanges = 0;
    quint64 m_noiseBytes = 0;
    quint64 m_responses = 0;
    qint64 m_minUs = 0;
    qint64 m_maxUs = 0;
    std::array<quint64, kBins> m_bins{};
};

// Overall and per target, as a run fills them.
struct RunStatistics
{
    ResponseStatistics overall;
    std::vector<ResponseStatistics> perTarget; // in the plan's order
};

} // namespace diagnosis
