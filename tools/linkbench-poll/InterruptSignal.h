#pragma once

#include <QObject>

class QSocketNotifier;

// Ctrl+C (SIGINT) and SIGTERM as a Qt signal, raised from the event loop: the
// handler only writes a byte to a pipe that a socket notifier watches, the one
// thing a signal handler may safely do here. On Windows, Ctrl+C and
// Ctrl+Break of the console. One instance per process.
class InterruptSignal : public QObject
{
    Q_OBJECT
public:
    explicit InterruptSignal(QObject* parent = nullptr);
    ~InterruptSignal() override;

signals:
    void interrupted();

private:
    void onReadable();

    QSocketNotifier* m_notifier = nullptr;
};
