#include "monitor/TrendBuffer.h"

#include <algorithm>

TrendBuffer::TrendBuffer(qint64 spanMs)
{
    setSpan(spanMs);
}

void TrendBuffer::setTargetCount(int targets)
{
    m_targets.assign(std::size_t(std::max(targets, 0)), Target{});
    m_timeouts.clear();
    m_timeoutsChanged = true;
}

void TrendBuffer::addTarget()
{
    m_targets.emplace_back();
    for (Target& target : m_targets)
        target.changed = true;
    m_timeoutsChanged = true;
}

// Slots already filled keep their width; only new values use the new one.
void TrendBuffer::setSpan(qint64 spanMs)
{
    m_spanMs = std::max<qint64>(spanMs, kSlotsPerSpan);
    m_slotMs = m_spanMs / kSlotsPerSpan;
    for (Target& target : m_targets)
        target.changed = true;
    m_timeoutsChanged = true;
}

void TrendBuffer::addValue(int target, qint64 timeMs, double value)
{
    if (target < 0 || std::size_t(target) >= m_targets.size())
        return;
    Target& t = m_targets[std::size_t(target)];
    const qint64 slot = slotOf(timeMs);
    if (t.cells.empty() || t.cells.back().index != slot) {
        t.cells.push_back(Slot{slot, timeMs, timeMs, value, value});
    } else {
        Slot& s = t.cells.back();
        if (value < s.minValue) {
            s.minValue = value;
            s.minTime = timeMs;
        }
        if (value >= s.maxValue) {
            s.maxValue = value;
            s.maxTime = timeMs;
        }
    }
    t.changed = true;
}

void TrendBuffer::addTimeout(qint64 timeMs)
{
    if (!m_timeouts.empty() && slotOf(m_timeouts.back()) == slotOf(timeMs))
        return;
    m_timeouts.push_back(timeMs);
    m_timeoutsChanged = true;
}

void TrendBuffer::prune(qint64 nowMs)
{
    const qint64 oldest = nowMs - m_spanMs;
    for (Target& t : m_targets) {
        while (!t.cells.empty() &&
               std::max(t.cells.front().minTime, t.cells.front().maxTime) < oldest) {
            t.cells.pop_front();
            t.changed = true;
        }
    }
    while (!m_timeouts.empty() && m_timeouts.front() < oldest) {
        m_timeouts.pop_front();
        m_timeoutsChanged = true;
    }
}

QList<QPointF> TrendBuffer::points(int target) const
{
    QList<QPointF> points;
    if (target < 0 || std::size_t(target) >= m_targets.size())
        return points;
    const Target& t = m_targets[std::size_t(target)];
    points.reserve(qsizetype(t.cells.size() * 2));
    for (const Slot& s : t.cells) {
        if (s.minTime == s.maxTime) {
            points << QPointF(double(s.minTime), s.minValue);
        } else if (s.minTime < s.maxTime) {
            points << QPointF(double(s.minTime), s.minValue)
                   << QPointF(double(s.maxTime), s.maxValue);
        } else {
            points << QPointF(double(s.maxTime), s.maxValue)
                   << QPointF(double(s.minTime), s.minValue);
        }
    }
    return points;
}

QList<qint64> TrendBuffer::timeouts() const
{
    return QList<qint64>(m_timeouts.begin(), m_timeouts.end());
}

bool TrendBuffer::takeChanged(int target)
{
    if (target < 0 || std::size_t(target) >= m_targets.size())
        return false;
    return std::exchange(m_targets[std::size_t(target)].changed, false);
}

bool TrendBuffer::takeTimeoutsChanged()
{
    return std::exchange(m_timeoutsChanged, false);
}

qsizetype TrendBuffer::heldPoints() const
{
    qsizetype held = qsizetype(m_timeouts.size());
    for (const Target& t : m_targets)
        held += qsizetype(t.cells.size() * 2);
    return held;
}
