#pragma once

#include "FaultTable.h"

#include <QByteArray>
#include <QList>
#include <random>

// The draws behind the faults the simulator puts on the line on purpose (the
// rows of FaultTable): lost replies, refused writes, stray characters and the
// rest, from one seeded generator so that a run can be repeated.
namespace sim {

class LineFaults
{
public:
    LineFaults(const FaultSettings& settings, quint64 seed);

    const FaultSettings& settings() const { return m_settings; }

    // One draw each: whether this reply is lost, whether this write is refused.
    bool dropReply() { return roll(m_settings.dropPercent); }
    bool refuseWrite() { return roll(m_settings.nakPercent); }
    // The draws below are only made when their option is set, so that a seed
    // gives the same line as before with them off.
    bool lateReply() { return m_settings.latePercent > 0 && roll(m_settings.latePercent); }
    bool spoilCheck() { return m_settings.badCheckPercent > 0 && roll(m_settings.badCheckPercent); }
    // Extra reply delay, uniform in 0..jitterMs, in nanoseconds; 0 without jitter.
    qint64 jitterNs();
    // The stray characters to send before the next reply ('!' to '~').
    QByteArray noise();

    // `bytes` cut into `pieces` parts of near-equal length, the longer ones
    // first; never more parts than bytes, never fewer than one.
    static QList<QByteArray> split(const QByteArray& bytes, int pieces);
    // A framed reply with the last digit of its check field (the five
    // characters before its last one) changed, so it no longer sums right.
    static QByteArray withSpoiledCheck(const QByteArray& reply);

private:
    bool roll(int percent);

    FaultSettings m_settings;
    std::mt19937_64 m_random;
};

} // namespace sim
