#pragma once

#include "Deadline.h"
#include "SimLine.h"
#include "WireSchedule.h"

#include <QObject>
#include <deque>

// Puts replies on the line at their planned times, one after the other: a
// reply never starts before the previous one has gone out.
namespace sim {

class Transmitter : public QObject
{
    Q_OBJECT
public:
    // `baud` 0: no wire time (the line takes it itself, or it is switched off).
    Transmitter(SimLine& line, int baud, qint64 gapNs, QObject* parent = nullptr);

    bool isValid() const { return m_deadline.isValid(); }
    // Sends `pieces`, separated by the gap, starting no earlier than `earliestNs`;
    // returns when their last character will have gone out.
    qint64 send(const QList<QByteArray>& pieces, qint64 earliestNs);

private:
    void writeDue();

    SimLine& m_line;
    int m_baud;
    qint64 m_gapNs;
    qint64 m_lineFreeNs = 0;
    std::deque<TimedWrite> m_queue;
    Deadline m_deadline;
};

} // namespace sim
