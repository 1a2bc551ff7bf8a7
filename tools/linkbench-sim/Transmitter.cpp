#include "Transmitter.h"

#include "MonotonicClock.h"

#include <algorithm>

namespace sim {

Transmitter::Transmitter(SimLine& line, int baud, qint64 gapNs, QObject* parent)
    : QObject(parent), m_line(line), m_baud(baud), m_gapNs(gapNs)
{
    connect(&m_deadline, &Deadline::expired, this, &Transmitter::writeDue);
}

qint64 Transmitter::send(const QList<QByteArray>& pieces, qint64 earliestNs)
{
    const WirePlan plan =
        planTransmission(pieces, std::max(earliestNs, m_lineFreeNs), m_gapNs, m_baud);
    m_lineFreeNs = plan.endNs;
    m_queue.insert(m_queue.end(), plan.writes.begin(), plan.writes.end());
    writeDue();
    return plan.endNs;
}

void Transmitter::writeDue()
{
    const qint64 now = monotonicNs();
    QByteArray due;
    while (!m_queue.empty() && m_queue.front().dueNs <= now) {
        due += m_queue.front().bytes;
        m_queue.pop_front();
    }
    if (!due.isEmpty())
        m_line.write(due);
    if (!m_queue.empty())
        m_deadline.armAt(m_queue.front().dueNs);
}

} // namespace sim
