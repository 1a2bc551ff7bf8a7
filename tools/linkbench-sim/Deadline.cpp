#include "Deadline.h"

#include <QSocketNotifier>

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

namespace sim {

struct Deadline::Timer
{
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
};

Deadline::Deadline(QObject* parent) : QObject(parent), m_timer(std::make_unique<Timer>())
{
    m_timer->fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timer->fd < 0)
        return;
    m_timer->notifier = std::make_unique<QSocketNotifier>(m_timer->fd, QSocketNotifier::Read);
    connect(m_timer->notifier.get(), &QSocketNotifier::activated, this, [this] {
        std::uint64_t expirations = 0;
        if (::read(m_timer->fd, &expirations, sizeof expirations) == ssize_t(sizeof expirations))
            emit expired();
    });
}

Deadline::~Deadline()
{
    m_timer->notifier.reset();
    if (m_timer->fd >= 0)
        ::close(m_timer->fd);
}

bool Deadline::isValid() const
{
    return m_timer->fd >= 0;
}

void Deadline::armAt(qint64 dueNs)
{
    // An all-zero it_value would disarm the timer; 1 ns is long past.
    const qint64 due = dueNs > 0 ? dueNs : 1;
    itimerspec when{};
    when.it_value.tv_sec = due / 1'000'000'000;
    when.it_value.tv_nsec = due % 1'000'000'000;
    timerfd_settime(m_timer->fd, TFD_TIMER_ABSTIME, &when, nullptr);
}

} // namespace sim
