#pragma once

#include <QByteArray>
#include <QList>
#include <random>

// The faults the simulator puts on the line on purpose: lost replies, refused
// writes and stray characters, drawn from one seeded generator so that a run
// can be repeated.
namespace sim {

struct FaultSettings
{
    int dropPercent = 0; // share of replies lost, 0..100
    int nakPercent = 0;  // share of correct writes answered NAK, 0..100
    int noiseCount = 0;  // stray printable characters before every reply
};

class LineFaults
{
public:
    LineFaults(const FaultSettings& settings, quint64 seed);

    // One draw each: whether this reply is lost, whether this write is refused.
    bool dropReply() { return roll(m_settings.dropPercent); }
    bool refuseWrite() { return roll(m_settings.nakPercent); }
    // The stray characters to send before the next reply ('!' to '~').
    QByteArray noise();

    // `bytes` cut into `pieces` parts of near-equal length, the longer ones
    // first; never more parts than bytes, never fewer than one.
    static QList<QByteArray> split(const QByteArray& bytes, int pieces);

private:
    bool roll(int percent);

    FaultSettings m_settings;
    std::mt19937_64 m_random;
};

} // namespace sim
