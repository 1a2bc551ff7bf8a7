#include "Deadline.h"

#include "MonotonicClock.h"

#include <QTimer>

#include <algorithm>
#include <limits>

namespace sim {

struct Deadline::Timer
{
    QTimer timer;
};

Deadline::Deadline(QObject* parent) : QObject(parent), m_timer(std::make_unique<Timer>())
{
    m_timer->timer.setSingleShot(true);
    m_timer->timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer->timer, &QTimer::timeout, this, &Deadline::expired);
}

Deadline::~Deadline() = default;

bool Deadline::isValid() const
{
    return true;
}

void Deadline::armAt(qint64 dueNs)
{
    // Rounded up, so that the timer never fires before the moment asked for.
    const qint64 waitMs = (std::max<qint64>(0, dueNs - monotonicNs()) + 999'999) / 1'000'000;
    m_timer->timer.start(int(std::min<qint64>(waitMs, std::numeric_limits<int>::max())));
}

} // namespace sim
