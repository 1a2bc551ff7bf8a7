#include "diagnosis/DegradationAlarm.h"

#include <algorithm>

namespace diagnosis {

std::optional<AlarmChange> DegradationAlarm::record(int targetIndex, bool success)
{
    const int window = m_settings.window;
    if (window <= 0 || targetIndex < 0)
        return std::nullopt;
    if (std::size_t(targetIndex) >= m_tracks.size())
        m_tracks.resize(std::size_t(targetIndex) + 1);
    Track& t = m_tracks[std::size_t(targetIndex)];
    if (t.last.empty())
        t.last.assign(std::size_t(window), false);

    if (t.filled == window)
        t.successes -= t.last[std::size_t(t.next)] ? 1 : 0;
    else
        ++t.filled;
    t.last[std::size_t(t.next)] = success;
    t.successes += success ? 1 : 0;
    t.next = (t.next + 1) % window;
    if (t.filled < window)
        return std::nullopt;

    const double percent = 100.0 * t.successes / window;
    const double clearAt = m_settings.belowPercent + (100.0 - m_settings.belowPercent) / 2.0;
    if (!t.raised && percent < m_settings.belowPercent) {
        t.raised = true;
        return AlarmChange{targetIndex, true, percent};
    }
    if (t.raised && percent >= clearAt) {
        t.raised = false;
        return AlarmChange{targetIndex, false, percent};
    }
    return std::nullopt;
}

bool DegradationAlarm::isRaised(int targetIndex) const
{
    return targetIndex >= 0 && std::size_t(targetIndex) < m_tracks.size() &&
           m_tracks[std::size_t(targetIndex)].raised;
}

int DegradationAlarm::raisedCount() const
{
    return int(
        std::count_if(m_tracks.begin(), m_tracks.end(), [](const Track& t) { return t.raised; }));
}

} // namespace diagnosis
