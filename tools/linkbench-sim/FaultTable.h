#pragma once

#include <QByteArray>
#include <QString>
#include <span>

// The faults the simulator can put on the line on purpose, one row each: its
// option, the values it takes, its help, how the log marks a reply it spoilt,
// and where in an exchange it acts. The command line, the help, the log and
// the server all read this table; a new fault is a setting and a row.
namespace sim {

class LineFaults;
struct Fault;

// What the faults are set to; each field is a row's option.
struct FaultSettings
{
    int dropPercent = 0;     // share of replies lost, 0..100
    int nakPercent = 0;      // share of correct writes answered NAK, 0..100
    int noiseCount = 0;      // stray printable characters before every reply
    int badCheckPercent = 0; // share of framed replies sent with a spoiled check field
    int latePercent = 0;     // share of replies sent late, lateByMs after the command
    int lateByMs = 3500;     // when a late reply starts, instead of the reply delay
    int jitterMs = 0;        // the reply delay grows by a uniform draw of up to this

    bool operator==(const FaultSettings&) const = default;
};

// Where in an exchange a fault acts. The server comes to them in this order,
// and so do the draws from the seeded generator: that order is what lets a
// seed repeat a run, so a new step goes where its draws should come.
enum class FaultStep {
    Command, // before the bus judges the command
    Loss,    // whether the answer goes out at all
    Start,   // when it starts
    Content, // what it carries
    Delay,   // how much later than planned it starts
    Prefix,  // what goes ahead of it
};

// One exchange as the faults see it and change it.
struct FaultedExchange
{
    bool writes = false;         // the command is a write, which a fault may refuse
    bool refuseWrite = false;    // the bus answers a correct write with NAK
    bool framed = false;         // the answer is a framed reply, with a check field
    QByteArray reply;            // what goes on the line
    qint64 delayNs = 0;          // from the command's end to the reply's start
    bool lost = false;           // the reply is not sent; no later step acts on it
    qint64 loggedDelayNs = -1;   // a delay drawn at random, for the log; -1: none
    const Fault* mark = nullptr; // the fault whose label the log gives the reply
};

struct Fault
{
    QString option;    // "drop", given as --drop
    QString valueName; // as the help names the value
    int low = 0;
    int high = 0;
    int FaultSettings::*setting = nullptr;
    QString help; // a Chinese line, then an English one
    // In the log in place of "  答 " when it acted; empty: unmarked. The braces
    // let a row leave it out without a missing-initializer warning.
    QString logLabel{};
    FaultStep step = FaultStep::Command;
    // Acts on one exchange; true when it changed it. None for a setting that
    // another fault reads (--late-by).
    bool (*act)(LineFaults& line, FaultedExchange& exchange) = nullptr;
};

// In the order the help lists them.
std::span<const Fault> faultTable();
// The row of `option` ("drop"); null when there is none.
const Fault* faultNamed(QStringView option);

// The faults of the Command step, before the bus answers.
void actOnCommand(LineFaults& line, FaultedExchange& exchange);
// The faults of the later steps, on the answer, until one loses the reply.
void actOnReply(LineFaults& line, FaultedExchange& exchange);

} // namespace sim
