#include "diagnosis/ResponseStatistics.h"

#include <algorithm>
#include <cmath>

namespace diagnosis {

namespace {

constexpr double kLowestUs = ResponseStatistics::kLowestMs * 1000.0;

} // namespace

int ResponseStatistics::binOf(qint64 responseUs)
{
    if (double(responseUs) < kLowestUs)
        return 0;
    const double position = std::log10(double(responseUs) / kLowestUs) * kBinsPerDecade;
    return std::clamp(1 + int(std::floor(position)), 1, kBins - 1);
}

// The lower edge of `bin`; bin 0 holds everything below 0.1 ms.
double ResponseStatistics::binLowMs(int bin)
{
    if (bin <= 0)
        return 0.0;
    return kLowestMs * std::pow(10.0, double(bin - 1) / kBinsPerDecade);
}

void ResponseStatistics::add(Outcome outcome, qint64 responseUs, int noiseBytes)
{
    ++m_sent;
    ++m_outcomes[std::size_t(outcome)];
    if (noiseBytes > 0) {
        ++m_noisyExchanges;
        m_noiseBytes += quint64(noiseBytes);
    }
    if (outcome == Outcome::Timeout || responseUs < 0)
        return;
    if (m_responses == 0 || responseUs < m_minUs)
        m_minUs = responseUs;
    if (m_responses == 0 || responseUs > m_maxUs)
        m_maxUs = responseUs;
    ++m_responses;
    ++m_bins[std::size_t(binOf(responseUs))];
}

void ResponseStatistics::addLate(int bytes, bool firstForExchange)
{
    if (firstForExchange)
        ++m_lateExchanges;
    m_lateBytes += quint64(std::max(bytes, 0));
}

void ResponseStatistics::addStray(int bytes)
{
    m_noiseBytes += quint64(std::max(bytes, 0));
}

quint64 ResponseStatistics::succeeded() const
{
    quint64 total = 0;
    for (const OutcomeKind& kind : kOutcomes) {
        if (!kind.failure)
            total += count(kind.outcome);
    }
    return total;
}

double ResponseStatistics::successRatio() const
{
    return m_sent == 0 ? 0.0 : double(succeeded()) / double(m_sent);
}

double ResponseStatistics::minMs() const
{
    return double(m_minUs) / 1000.0;
}

double ResponseStatistics::maxMs() const
{
    return double(m_maxUs) / 1000.0;
}

double ResponseStatistics::percentileMs(double percent) const
{
    if (m_responses == 0)
        return 0.0;
    // The rank of the response asked for, 1-based, as the nearest-rank rule has it.
    const quint64 rank = std::clamp<quint64>(
        quint64(std::ceil(percent / 100.0 * double(m_responses))), 1, m_responses);
    quint64 seen = 0;
    int bin = 0;
    for (; bin < kBins; ++bin) {
        seen += m_bins[std::size_t(bin)];
        if (seen >= rank)
            break;
    }
    // The geometric middle of the bin, never outside what was seen.
    double estimate;
    if (bin == 0)
        estimate = kLowestMs / 2;
    else if (bin == kBins - 1)
        estimate = maxMs();
    else
        estimate = std::sqrt(binLowMs(bin) * binLowMs(bin + 1));
    return std::clamp(estimate, minMs(), maxMs());
}

QList<HistogramBucket> ResponseStatistics::histogram(double limitMs, int perDecade) const
{
    if (perDecade <= 0 || kBinsPerDecade % perDecade != 0)
        perDecade = 5;
    const int step = kBinsPerDecade / perDecade;
    QList<HistogramBucket> bars;
    bars.append({0.0, kLowestMs, m_bins[0]});
    for (int first = 1; first < kBins - 1; first += step) {
        const double from = binLowMs(first);
        if (from >= limitMs)
            break;
        HistogramBucket bar{from, std::min(binLowMs(first + step), limitMs), 0};
        for (int bin = first; bin < first + step && bin < kBins; ++bin)
            bar.count += m_bins[std::size_t(bin)];
        bars.append(bar);
    }
    // Responses beyond the last bar (a time-out longer than the bins reach) go into it.
    quint64 shown = 0;
    for (const HistogramBucket& bar : bars)
        shown += bar.count;
    if (shown < m_responses && !bars.isEmpty())
        bars.back().count += m_responses - shown;
    return bars;
}

} // namespace diagnosis
