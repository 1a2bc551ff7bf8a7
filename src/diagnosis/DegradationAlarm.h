#pragma once

#include <optional>
#include <vector>

// Watches each target's last commands during a long run and says when its
// success falls below a threshold and when it has recovered, once each: a
// bus that hovers at the threshold does not raise and clear on every command,
// since the alarm clears only when the success climbs back halfway from the
// threshold to 100 %. Memory: one bit per command of the window, per target.
namespace diagnosis {

struct AlarmSettings
{
    int window = 50;       // commands looked at; 0 switches the alarm off
    int belowPercent = 90; // raised when the window's success is below this
};

struct AlarmChange
{
    int targetIndex = 0;
    bool raised = false; // false: cleared
    double successPercent = 0;
};

class DegradationAlarm
{
public:
    explicit DegradationAlarm(const AlarmSettings& settings = {}) : m_settings(settings) {}

    const AlarmSettings& settings() const { return m_settings; }
    // One more command to `targetIndex` ended; the change it makes, if any.
    std::optional<AlarmChange> record(int targetIndex, bool success);
    bool isRaised(int targetIndex) const;
    int raisedCount() const;

private:
    struct Track
    {
        std::vector<bool> last; // a ring of the window's outcomes
        int next = 0;
        int filled = 0;
        int successes = 0;
        bool raised = false;
    };

    AlarmSettings m_settings;
    std::vector<Track> m_tracks;
};

} // namespace diagnosis
