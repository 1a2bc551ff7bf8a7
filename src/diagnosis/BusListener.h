#pragma once

#include "diagnosis/ExchangeRecord.h"
#include "diagnosis/ResponseStatistics.h"
#include "wire/CommandFrame.h"
#include "wire/LineFramer.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <array>
#include <bitset>
#include <functional>
#include <optional>

// Listens to a bus that another master polls, and sends nothing: frames what
// one or two receive lines carry (wire::LineFramer, one per line, so that a
// four-wire bus's two directions never mix inside a frame), pairs each reply
// with the command before it by the place it names, and judges each command as
// linkbench-poll judges its own exchanges. The targets are the places the
// master addresses, in the order they first appear.
//
// Times are microseconds on one clock, stamped when each chunk was read: a
// response time runs from the read that brought a command's last byte to the
// read that brought its reply's last byte, so it is no finer than the reads.
namespace diagnosis {

struct ListenSettings
{
    int timeoutMs = 3000;   // a command with no reply for this long ends in timeout
    bool checkField = true; // a reply's wrong check field makes the outcome check
    int baud = 9600;        // for the wire times of the records
};

// One row of a listen: a command and its outcome, or a reply that followed no
// command of its own.
struct ListenedExchange
{
    // For an unpaired reply: the target whose place it names (targetIndex -1
    // and the address its first digits give when no command named it, 0 for
    // an ACK or NAK), no frame, no response time.
    ExchangeRecord record;
    bool unpaired = false;
    bool badChecksum = false; // a write whose checksum does not hold
};

// The word the CSV gives a reply that followed no command of its own.
inline constexpr char kUnpairedWord[] = "unpaired";

// The CSV fields of a listened row, in the columns polling writes: an unpaired
// reply has "unpaired" for its outcome, and no function, channel or parameter
// when no command named its place.
QStringList listenedCsvFields(const ListenedExchange& exchange);

// How often the master comes back to a target: the intervals from command to
// command in the response-time bins, so in the same small memory.
struct PollRhythm
{
    ResponseStatistics intervals;
    qint64 lastUs = -1;

    void commandAt(qint64 atUs);
};

class BusListener
{
public:
    using Sink = std::function<void(const ListenedExchange&)>;
    static constexpr int kLines = 2;

    // `startedAt` is the local time of 0 µs; `sink` gets each row as it ends.
    BusListener(const ListenSettings& settings, const QDateTime& startedAt, Sink sink);

    // Bytes read from line `line` (0 or 1) at `atUs`.
    void take(int line, QByteArrayView bytes, qint64 atUs);
    // Time has come to `nowUs`: a command waiting past its time-out ends.
    void advance(qint64 nowUs);
    // When the command waiting now times out, if one waits.
    std::optional<qint64> deadlineUs() const;

    const ListenSettings& settings() const { return m_settings; }
    const QList<Target>& targets() const { return m_targets; }
    const RunStatistics& statistics() const { return m_statistics; }
    const PollRhythm& rhythm(qsizetype target) const { return m_rhythms[std::size_t(target)]; }
    // The master's whole cycle: from one command to the target it addressed
    // first to the next.
    const PollRhythm& cycle() const { return m_cycle; }
    quint64 badChecksums(qsizetype target) const { return m_badChecksums[std::size_t(target)]; }
    quint64 badChecksums() const;
    quint64 unpaired() const { return m_unpaired; }
    // Replies that name a place no command named, and the addresses they gave.
    quint64 unknownPlaceReplies() const { return m_unknownPlaceReplies; }
    QList<int> unknownAddresses() const;

private:
    struct Waiting
    {
        wire::Command command;
        int targetIndex = 0;
        QByteArray frame;
        qint64 endUs = 0;
        QByteArray stray; // noise since the command
        bool badChecksum = false;
    };

    void takeFrame(const wire::LineFrame& frame, qint64 atUs);
    void takeCommand(const QByteArray& frame, qint64 atUs);
    void takeAnswer(const wire::LineFrame& frame, qint64 atUs);
    void takeNoise(const QByteArray& bytes);
    void finish(Outcome outcome, const QByteArray& answer, qint64 endUs,
                std::optional<double> value = std::nullopt);
    void emitUnpaired(const QByteArray& answer, bool framed, qint64 atUs);
    int noteUnknownPlace(const QByteArray& framed);
    int targetOf(const wire::Command& command);
    int namedTarget(const QByteArray& framed) const;
    ExchangeRecord nextRecord(qint64 atUs);

    ListenSettings m_settings;
    QDateTime m_startedAt;
    Sink m_sink;
    std::array<wire::LineFramer, kLines> m_framers;
    std::optional<Waiting> m_waiting;

    qint64 m_sequence = 0;
    QList<Target> m_targets;
    QHash<QByteArray, int> m_targetIndex; // by place: function, address, channel, parameter
    RunStatistics m_statistics;
    std::vector<PollRhythm> m_rhythms;
    std::vector<quint64> m_badChecksums;
    // Per target: its last command timed out, and whether a late reply to it came since.
    std::vector<bool> m_timedOut;
    std::vector<bool> m_lateSeen;
    PollRhythm m_cycle;
    quint64 m_unpaired = 0;
    quint64 m_unknownPlaceReplies = 0;
    std::bitset<1000> m_unknownAddresses;
};

} // namespace diagnosis
