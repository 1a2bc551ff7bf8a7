#include "SimServer.h"

#include "ExchangeLog.h"
#include "MonotonicClock.h"
#include "wire/ControlChars.h"

#include <utility>

namespace sim {

namespace {

constexpr qint64 kNsPerMs = 1'000'000;

int pacingBaudFor(const SimLine& line, const SimOptions& options)
{
    return options.wireTime && !line.pacesItself() ? options.baud : 0;
}

} // namespace

SimServer::SimServer(SimLine& line, const SimOptions& options, quint64 seed, LogFn log, Clock clock,
                     QObject* parent)
    : QObject(parent), m_pacingBaud(pacingBaudFor(line, options)),
      m_replyDelayNs(options.replyDelayMs * kNsPerMs), m_chunks(options.chunks),
      m_log(std::move(log)), m_arrival(m_pacingBaud), m_bus(options.bus, std::move(clock)),
      m_faults(options.faults, seed),
      m_transmitter(line, m_pacingBaud, options.chunkGapMs * kNsPerMs)
{
    connect(&line, &SimLine::received, this, &SimServer::onReceived);
    for (const diagnosis::ParameterSet& set : options.presets) {
        for (const diagnosis::ParameterEntry& entry : set.entries)
            m_bus.preset(set.header.address, set.header.channel.toInt(), entry.code.toLatin1(),
                         entry.value.toLatin1());
    }
    m_bus.refuseWrites(options.refusedWrites);
}

void SimServer::onReceived(const QByteArray& bytes)
{
    const qint64 readNs = monotonicNs();
    for (const char byte : bytes) {
        const qint64 arrivedNs = m_arrival.arrive(readNs);
        if (std::optional<QByteArray> frame = m_stream.push(byte))
            handleFrame(*frame, arrivedNs);
    }
}

void SimServer::playCommand(const QByteArray& frame)
{
    handleFrame(frame, m_transmitter.send({frame}, monotonicNs()));
}

void SimServer::handleFrame(const QByteArray& frame, qint64 arrivedNs)
{
    FaultedExchange x;
    x.writes = frame.startsWith(char(ctl::DC3));
    actOnCommand(m_faults, x);
    const Answer answer = m_bus.answer(frame, x.refuseWrite);
    if (answer.kind != AnswerKind::Silent) {
        x.framed = answer.kind == AnswerKind::Reply;
        x.reply = answer.bytes;
        x.delayNs = m_replyDelayNs;
        actOnReply(m_faults, x);
        if (!x.lost)
            m_transmitter.send(LineFaults::split(x.reply, m_chunks), arrivedNs + x.delayNs);
    }
    if (m_log)
        m_log(exchangeLine(QTime::currentTime(), frame, answer, x.mark, x.reply, x.loggedDelayNs));
}

} // namespace sim
