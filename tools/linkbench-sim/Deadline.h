#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// A one-shot timer to the microsecond, on a Linux timerfd. QTimer counts whole
// milliseconds, but at 56000 bit/s a character takes 196 us: pacing replies
// character by character needs the finer clock.
namespace sim {

class Deadline : public QObject
{
    Q_OBJECT
public:
    explicit Deadline(QObject* parent = nullptr);
    ~Deadline() override;

    bool isValid() const { return m_fd >= 0; }
    // Fires expired() once at `dueNs` on the monotonic clock (at once if past);
    // a later call replaces an earlier one.
    void armAt(qint64 dueNs);

signals:
    void expired();

private:
    void onActivated();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace sim
