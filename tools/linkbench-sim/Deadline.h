#pragma once

#include <QObject>
#include <memory>

// A one-shot timer to the microsecond, on a Linux timerfd. QTimer counts whole
// milliseconds, but at 56000 bit/s a character takes 196 us: pacing replies
// character by character needs the finer clock. Windows has no such timer for
// an event loop, so there it falls to a precise QTimer, late by up to 1 ms.
namespace sim {

class Deadline : public QObject
{
    Q_OBJECT
public:
    explicit Deadline(QObject* parent = nullptr);
    ~Deadline() override;

    bool isValid() const;
    // Fires expired() once at `dueNs` on the monotonic clock (at once if past);
    // a later call replaces an earlier one.
    void armAt(qint64 dueNs);

signals:
    void expired();

private:
    struct Timer; // the system's timer, defined beside each implementation
    std::unique_ptr<Timer> m_timer;
};

} // namespace sim
