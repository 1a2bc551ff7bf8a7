#pragma once

#include <QList>
#include <QPointF>
#include <deque>
#include <vector>

// The values of the replies over the last span of time, per target, in memory
// that does not grow with the exchange rate: time is cut into cells (the span
// over kSlotsPerSpan), and each slot keeps only its lowest and its highest
// value, so a spike survives however many values fall into the slot. Time-outs
// are kept as one mark per slot. Times are milliseconds since the epoch.
class TrendBuffer
{
public:
    static constexpr int kSlotsPerSpan = 1200;

    explicit TrendBuffer(qint64 spanMs = 10 * 60 * 1000);

    void setTargetCount(int targets); // empties the buffer
    // One target more, keeping what the others hold; all are drawn afresh.
    void addTarget();
    void setSpan(qint64 spanMs);
    qint64 span() const { return m_spanMs; }

    void addValue(int target, qint64 timeMs, double value);
    void addTimeout(qint64 timeMs);
    // Drops what lies before `nowMs` less the span.
    void prune(qint64 nowMs);

    // The points of a target in time order (x: time, y: value).
    QList<QPointF> points(int target) const;
    QList<qint64> timeouts() const;
    int targetCount() const { return int(m_targets.size()); }
    // Whether a target's points changed since the last call for it.
    bool takeChanged(int target);
    bool takeTimeoutsChanged();
    // Points held in all, for the memory check.
    qsizetype heldPoints() const;

private:
    struct Slot
    {
        qint64 index = 0;
        qint64 minTime = 0, maxTime = 0;
        double minValue = 0, maxValue = 0;
    };
    struct Target
    {
        std::deque<Slot> cells;
        bool changed = false;
    };
    qint64 slotOf(qint64 timeMs) const { return timeMs / m_slotMs; }

    qint64 m_spanMs;
    qint64 m_slotMs;
    std::vector<Target> m_targets;
    std::deque<qint64> m_timeouts;
    bool m_timeoutsChanged = false;
};
