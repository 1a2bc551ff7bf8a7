#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// Wire time on a line that takes none of its own (a pseudo-terminal): every
// character is held back for the 11 bits (start, 8 data, 2 stop) it would
// take at the chosen speed, in both directions. Times are nanoseconds on the
// monotonic clock.
namespace sim {

// Time `chars` characters take on the line; 0 when `baud` is 0 (no wire time).
qint64 wireNs(qint64 chars, int baud);

// When received bytes would have arrived: each one character time after the
// previous one, and never before it was read. With `baud` 0, when read.
class ArrivalModel
{
public:
    explicit ArrivalModel(int baud) : m_baud(baud) {}
    qint64 arrive(qint64 readNs);

private:
    int m_baud;
    qint64 m_lastNs = 0;
};

struct TimedWrite
{
    qint64 dueNs = 0;
    QByteArray bytes;
    bool operator==(const TimedWrite&) const = default;
};

struct WirePlan
{
    QList<TimedWrite> writes;
    qint64 endNs = 0; // the line is free again from here
};

// The writes that put `pieces` on the line from `startNs`: with wire time each
// character is written when its last bit would have arrived; without, each
// piece at once. `gapNs` separates the pieces.
WirePlan planTransmission(const QList<QByteArray>& pieces, qint64 startNs, qint64 gapNs, int baud);

} // namespace sim
