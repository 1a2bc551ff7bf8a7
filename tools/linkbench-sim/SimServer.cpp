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
      m_replyDelayNs(options.replyDelayMs * kNsPerMs),
      m_lateByNs(options.faults.lateByMs * kNsPerMs), m_jitter(options.faults.jitterMs > 0),
      m_chunks(options.chunks), m_log(std::move(log)), m_arrival(m_pacingBaud),
      m_bus(options.bus, std::move(clock)), m_faults(options.faults, seed),
      m_transmitter(line, m_pacingBaud, options.chunkGapMs * kNsPerMs)
{
    connect(&line, &SimLine::received, this, &SimServer::onReceived);
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

void SimServer::handleFrame(const QByteArray& frame, qint64 arrivedNs)
{
    const bool refuse = frame.startsWith(char(ctl::DC3)) && m_faults.refuseWrite();
    const Answer answer = m_bus.answer(frame, refuse);
    ReplyFate fate = ReplyFate::Sent;
    QByteArray sent;
    qint64 loggedDelayNs = -1; // with --jitter, the delay drawn
    if (answer.kind != AnswerKind::Silent) {
        if (m_faults.dropReply()) {
            fate = ReplyFate::Dropped;
            sent = answer.bytes;
        } else {
            // A reply picked to be late is not also spoiled: the tool has given up on it.
            qint64 delayNs = m_replyDelayNs;
            QByteArray reply = answer.bytes;
            if (m_faults.lateReply()) {
                fate = ReplyFate::Late;
                delayNs = m_lateByNs;
            } else if (answer.kind == AnswerKind::Reply && m_faults.spoilCheck()) {
                fate = ReplyFate::SpoiledCheck;
                reply = LineFaults::withSpoiledCheck(reply);
            }
            if (m_jitter) {
                delayNs += m_faults.jitterNs();
                loggedDelayNs = delayNs;
            }
            sent = m_faults.noise() + reply;
            m_transmitter.send(LineFaults::split(sent, m_chunks), arrivedNs + delayNs);
        }
    }
    if (m_log)
        m_log(exchangeLine(QTime::currentTime(), frame, answer, fate, sent, loggedDelayNs));
}

} // namespace sim
