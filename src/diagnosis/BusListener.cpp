#include "diagnosis/BusListener.h"

#include "diagnosis/ExchangeCsv.h"
#include "diagnosis/ReplyJudgement.h"
#include "diagnosis/RunPlan.h"
#include "wire/ReplyFrame.h"

#include <utility>

namespace diagnosis {

namespace {

// Stray bytes kept with a waiting command, for its record; more are counted only.
constexpr qsizetype kMaxStrayKept = 256;

Target targetOfCommand(const wire::Command& command)
{
    Target t;
    t.function = command.function;
    const bool hbx = command.function == Function::Dc4;
    t.address = (hbx ? command.hbxAddress : command.address).toInt();
    if (!hbx)
        t.channel = QString::fromLatin1(command.channel);
    t.param = QString::fromLatin1(command.parameter);
    t.value = QString::fromLatin1(command.value);
    return t;
}

QByteArray placeKey(const wire::Command& command)
{
    const char function = char('0' + int(command.function));
    if (command.function == Function::Dc4)
        return function + command.hbxAddress + '/' + command.parameter;
    return function + command.address + command.channel + '/' + command.parameter;
}

} // namespace

QStringList listenedCsvFields(const ListenedExchange& exchange)
{
    QStringList fields = exchangeCsvFields(exchange.record);
    if (!exchange.unpaired)
        return fields;
    fields[kCsvOutcomeColumn] = QString::fromLatin1(kUnpairedWord);
    if (exchange.record.targetIndex < 0) {
        for (const int column : {kCsvChannelColumn, kCsvFunctionColumn, kCsvParamColumn})
            fields[column].clear();
        // A lone ACK or NAK names no address at all.
        if (exchange.record.target.address <= 0)
            fields[kCsvAddressColumn].clear();
    }
    return fields;
}

void PollRhythm::commandAt(qint64 atUs)
{
    if (lastUs >= 0)
        intervals.add(Outcome::Ok, atUs - lastUs, 0);
    lastUs = atUs;
}

BusListener::BusListener(const ListenSettings& settings, const QDateTime& startedAt, Sink sink)
    : m_settings(settings), m_startedAt(startedAt), m_sink(std::move(sink))
{
}

void BusListener::take(int line, QByteArrayView bytes, qint64 atUs)
{
    advance(atUs);
    for (const wire::LineFrame& frame : m_framers[std::size_t(line)].take(bytes))
        takeFrame(frame, atUs);
}

void BusListener::advance(qint64 nowUs)
{
    const std::optional<qint64> deadline = deadlineUs();
    if (deadline && nowUs >= *deadline)
        finish(Outcome::Timeout, {}, -1);
}

std::optional<qint64> BusListener::deadlineUs() const
{
    if (!m_waiting)
        return std::nullopt;
    return m_waiting->endUs + qint64(m_settings.timeoutMs) * 1000;
}

void BusListener::takeFrame(const wire::LineFrame& frame, qint64 atUs)
{
    switch (frame.kind) {
    case wire::FrameKind::Command:
        takeCommand(frame.bytes, atUs);
        break;
    case wire::FrameKind::Reply:
    case wire::FrameKind::Ack:
    case wire::FrameKind::Nak:
        takeAnswer(frame, atUs);
        break;
    case wire::FrameKind::Noise:
        takeNoise(frame.bytes);
        break;
    }
}

void BusListener::takeCommand(const QByteArray& frame, qint64 atUs)
{
    const std::optional<wire::Command> command = wire::parseCommand(frame);
    if (!command) {
        // Not one of the four layouts: nobody can answer it, so it is noise.
        takeNoise(frame);
        return;
    }
    // The master has moved on: the command before had no reply.
    if (m_waiting)
        finish(Outcome::Timeout, {}, -1);
    const int index = targetOf(*command);
    m_rhythms[std::size_t(index)].commandAt(atUs);
    if (index == 0)
        m_cycle.commandAt(atUs);
    const bool badChecksum = !wire::checksumHolds(*command);
    if (badChecksum)
        ++m_badChecksums[std::size_t(index)];
    m_waiting = Waiting{*command, index, frame, atUs, {}, badChecksum};
}

void BusListener::takeAnswer(const wire::LineFrame& frame, qint64 atUs)
{
    const bool framed = frame.kind == wire::FrameKind::Reply;
    const int named = framed ? namedTarget(frame.bytes) : -1;
    if (m_waiting) {
        const bool writes = wire::isWrite(m_waiting->command.function);
        const bool namesWaiting =
            framed && !writes && wire::replyNames(m_waiting->command, frame.bytes);
        // A reply naming another command's place is a late or a foreign one;
        // the waiting command may still get its own.
        if (namesWaiting || named < 0) {
            const Judgement judged =
                judgeReply(m_targets[m_waiting->targetIndex], m_waiting->stray + frame.bytes,
                           m_settings.checkField);
            if (framed && !namesWaiting)
                noteUnknownPlace(frame.bytes);
            finish(judged.outcome, frame.bytes, atUs, judged.value);
            return;
        }
    }
    emitUnpaired(frame.bytes, framed, atUs);
}

void BusListener::takeNoise(const QByteArray& bytes)
{
    if (!m_waiting) {
        m_statistics.overall.addStray(int(bytes.size()));
        return;
    }
    const qsizetype room = kMaxStrayKept - m_waiting->stray.size();
    if (room >= bytes.size())
        m_waiting->stray += bytes;
    else
        m_statistics.overall.addStray(int(bytes.size()));
}

void BusListener::finish(Outcome outcome, const QByteArray& answer, qint64 endUs,
                         std::optional<double> value)
{
    Waiting waiting = std::move(*m_waiting);
    m_waiting.reset();
    ListenedExchange x;
    ExchangeRecord& r = x.record;
    r = nextRecord(waiting.endUs);
    r.targetIndex = waiting.targetIndex;
    r.target = m_targets[waiting.targetIndex];
    r.frame = waiting.frame;
    r.reply = waiting.stray + answer;
    r.outcome = outcome;
    r.noiseBytes = answer.isEmpty() ? 0 : int(waiting.stray.size());
    r.responseUs = answer.isEmpty() ? -1 : endUs - waiting.endUs;
    r.commandWireUs = wireTimeUs(r.frame.size(), m_settings.baud);
    r.replyWireUs = wireTimeUs(r.reply.size(), m_settings.baud);
    r.value = value;
    x.badChecksum = waiting.badChecksum;

    const int noise = int(waiting.stray.size());
    m_statistics.overall.add(outcome, r.responseUs, noise);
    m_statistics.perTarget[std::size_t(r.targetIndex)].add(outcome, r.responseUs, noise);
    m_timedOut[std::size_t(r.targetIndex)] = outcome == Outcome::Timeout;
    m_lateSeen[std::size_t(r.targetIndex)] = false;
    if (m_sink)
        m_sink(x);
}

void BusListener::emitUnpaired(const QByteArray& answer, bool framed, qint64 atUs)
{
    ListenedExchange x;
    x.unpaired = true;
    ExchangeRecord& r = x.record;
    r = nextRecord(atUs);
    r.targetIndex = framed ? namedTarget(answer) : -1;
    if (r.targetIndex >= 0) {
        r.target = m_targets[r.targetIndex];
        r.value = judgeReply(r.target, answer, false).value;
    } else {
        r.target.address = framed ? noteUnknownPlace(answer) : 0;
    }
    r.reply = answer;
    r.outcome = Outcome::Malformed;
    r.replyWireUs = wireTimeUs(answer.size(), m_settings.baud);
    ++m_unpaired;
    // The reply of a command that timed out, come after all: late, as polling counts it.
    if (r.targetIndex >= 0 && m_timedOut[std::size_t(r.targetIndex)]) {
        const std::size_t t = std::size_t(r.targetIndex);
        m_statistics.overall.addLate(int(answer.size()), !m_lateSeen[t]);
        m_statistics.perTarget[t].addLate(int(answer.size()), !m_lateSeen[t]);
        m_lateSeen[t] = true;
    }
    if (m_sink)
        m_sink(x);
}

int BusListener::targetOf(const wire::Command& command)
{
    const QByteArray key = placeKey(command);
    const auto found = m_targetIndex.constFind(key);
    if (found != m_targetIndex.constEnd()) {
        // A write's value is the master's latest.
        m_targets[*found].value = QString::fromLatin1(command.value);
        return *found;
    }
    const int index = int(m_targets.size());
    m_targets << targetOfCommand(command);
    m_targetIndex.insert(key, index);
    m_statistics.perTarget.emplace_back();
    m_rhythms.emplace_back();
    m_badChecksums.push_back(0);
    m_timedOut.push_back(false);
    m_lateSeen.push_back(false);
    return index;
}

int BusListener::namedTarget(const QByteArray& framed) const
{
    for (qsizetype i = 0; i < m_targets.size(); ++i) {
        if (!wire::isWrite(m_targets[i].function) &&
            wire::replyNames(commandOf(m_targets[i]), framed))
            return int(i);
    }
    return -1;
}

int BusListener::noteUnknownPlace(const QByteArray& framed)
{
    // An instrument's reply starts with its three address digits.
    const int address = framed.mid(1, 3).toInt();
    ++m_unknownPlaceReplies;
    if (address > 0 && std::size_t(address) < m_unknownAddresses.size())
        m_unknownAddresses.set(std::size_t(address));
    return address;
}

ExchangeRecord BusListener::nextRecord(qint64 atUs)
{
    ExchangeRecord r;
    r.sequence = ++m_sequence;
    r.sentAt = m_startedAt.addMSecs(atUs / 1000);
    return r;
}

quint64 BusListener::badChecksums() const
{
    quint64 all = 0;
    for (const quint64 n : m_badChecksums)
        all += n;
    return all;
}

QList<int> BusListener::unknownAddresses() const
{
    QList<int> addresses;
    for (std::size_t a = 0; a < m_unknownAddresses.size(); ++a) {
        if (m_unknownAddresses.test(a))
            addresses << int(a);
    }
    return addresses;
}

} // namespace diagnosis
