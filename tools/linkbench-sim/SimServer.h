#pragma once

#include "CommandStream.h"
#include "InstrumentBus.h"
#include "LineFaults.h"
#include "SimLine.h"
#include "SimOptions.h"
#include "Transmitter.h"
#include "WireSchedule.h"

#include <QObject>
#include <functional>

// Serves the line: cuts what arrives into commands, lets the bus answer, puts
// the line faults on the answer and hands it to the transmitter, due the
// reply delay after the command's last character arrived.
namespace sim {

class SimServer : public QObject
{
    Q_OBJECT
public:
    using LogFn = std::function<void(const QString&)>;

    // `log` gets one line per command; leave it empty for a quiet run.
    SimServer(SimLine& line, const SimOptions& options, quint64 seed, LogFn log,
              Clock clock = systemClock(), QObject* parent = nullptr);

    bool isValid() const { return m_transmitter.isValid(); }
    // The wire-time speed in use, 0 when there is none to add.
    int pacingBaud() const { return m_pacingBaud; }
    // The master's part: puts `frame` on the line as soon as it is free and
    // answers it as a command that arrived when its last character went out.
    void playCommand(const QByteArray& frame);

private:
    void onReceived(const QByteArray& bytes);
    void handleFrame(const QByteArray& frame, qint64 arrivedNs);

    int m_pacingBaud;
    qint64 m_replyDelayNs;
    int m_chunks;
    LogFn m_log;
    CommandStream m_stream;
    ArrivalModel m_arrival;
    InstrumentBus m_bus;
    LineFaults m_faults;
    Transmitter m_transmitter;
};

} // namespace sim
