#include "Deadline.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

namespace sim {

Deadline::Deadline(QObject* parent) : QObject(parent)
{
    m_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &Deadline::onActivated);
}

Deadline::~Deadline()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

void Deadline::armAt(qint64 dueNs)
{
    // An all-zero it_value would disarm the timer; 1 ns is long past.
    const qint64 due = dueNs > 0 ? dueNs : 1;
    itimerspec when{};
    when.it_value.tv_sec = due / 1'000'000'000;
    when.it_value.tv_nsec = due % 1'000'000'000;
    timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &when, nullptr);
}

void Deadline::onActivated()
{
    std::uint64_t expirations = 0;
    if (::read(m_fd, &expirations, sizeof expirations) == ssize_t(sizeof expirations))
        emit expired();
}

} // namespace sim
