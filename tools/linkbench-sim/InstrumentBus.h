#pragma once

#include "BusLayout.h"
#include "Concentrator.h"
#include "ParameterStore.h"
#include "platform/Clock.h"
#include "wire/CommandFrame.h"

#include <QByteArray>
#include <QString>

// The instruments and the concentrator on the simulated line, as one: given a
// complete command frame, what goes back on the line. No port, no timing.
namespace sim {

enum class AnswerKind { Reply, Ack, Nak, Silent };

struct Answer
{
    AnswerKind kind = AnswerKind::Silent;
    QByteArray bytes; // what goes back on the line; empty when silent
    QString note;     // why a command got no answer or a NAK, for the log
};

class InstrumentBus
{
public:
    explicit InstrumentBus(BusLayout layout, Clock clock = systemClock());

    // `refuseWrite` makes a correct write fail with NAK, as a line fault
    // would; an incorrect one fails anyway.
    Answer answer(const QByteArray& frame, bool refuseWrite = false);

    const BusLayout& layout() const { return m_layout; }

    // An instrument channel starts with these parameters.
    void preset(int address, int channel, const QByteArray& code, const QByteArray& value)
    {
        m_parameters.store(address, channel, code, value);
    }
    // Correct writes of these codes are answered NAK, for every instrument.
    void refuseWrites(const QList<QByteArray>& codes) { m_refusedWrites = codes; }

private:
    Answer toInstrument(const wire::Command& command, bool refuseWrite);
    Answer toConcentrator(const wire::Command& command);
    Answer write(const wire::Command& command, bool refuseWrite);

    BusLayout m_layout;
    Clock m_clock;
    Concentrator m_concentrator;
    ParameterStore m_parameters;
    QList<QByteArray> m_refusedWrites;
};

} // namespace sim
