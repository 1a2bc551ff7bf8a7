#pragma once

#include <QtGlobal>

namespace diagnosis {

// When the next command goes out, on a monotonic microsecond clock. Sends are
// due an interval apart, counted from the first send, so that the exchange
// time does not make the run drift. An exchange that overruns its slot is
// followed by the quiet gap and the schedule goes on from there: no burst of
// sends to catch up. Bytes still arriving between exchanges push the next send
// back to one gap after the last of them.
class SendSchedule
{
public:
    SendSchedule(qint64 intervalUs, qint64 gapUs) : m_intervalUs(intervalUs), m_gapUs(gapUs) {}

    // The first send, at `nowUs`.
    qint64 start(qint64 nowUs);
    // An exchange ended at `endUs`: when the next send is due.
    qint64 exchangeEnded(qint64 endUs);
    // Bytes arrived at `atUs` between exchanges: the next send, possibly later.
    qint64 lineBusy(qint64 atUs);
    qint64 nextDueUs() const { return m_dueUs; }

private:
    qint64 m_intervalUs;
    qint64 m_gapUs;
    qint64 m_dueUs = 0;
};

} // namespace diagnosis
