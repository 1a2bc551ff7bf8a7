#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

// The simulator playing the bus's master as well, so that a listener can be
// tried with nothing else running: one command every interval, round-robin
// over the addresses and, for each, over the functions given.
namespace sim {

struct MasterRound
{
    QList<QByteArray> frames; // in the order they are sent, over and over
    int intervalMs = 200;

    bool operator==(const MasterRound&) const = default;
};

// "[FUNCTIONS@]ADDRESSES[/MS]": "1-11" (DC1 to 001..011 every 200 ms),
// "dc1+dc2@1-3/100", "dc4@5/1000". DC1 reads channel 01, DC2 its parameter 11,
// DC3 writes 0100.0 to parameter 12, DC4 asks the concentrator at the address
// for its current values (73). Nothing for a text that is none of these.
std::optional<MasterRound> parseMasterRound(const QString& text);

class MasterPlayer : public QObject
{
    Q_OBJECT
public:
    using Send = std::function<void(const QByteArray& frame)>;
    MasterPlayer(const MasterRound& round, Send send, QObject* parent = nullptr);

    // The first command goes out one interval after this.
    void start();

private:
    void sendNext();

    MasterRound m_round;
    Send m_send;
    qsizetype m_next = 0;
    QTimer m_timer;
};

} // namespace sim
