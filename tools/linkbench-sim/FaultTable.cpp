#include "FaultTable.h"

#include "LineFaults.h"

#include <algorithm>
#include <vector>

namespace sim {

namespace {

constexpr qint64 kNsPerMs = 1'000'000;

// The acting rows in the order of their steps; rows of one step keep the
// table's order.
const std::vector<const Fault*>& inStepOrder()
{
    static const std::vector<const Fault*> order = [] {
        std::vector<const Fault*> acting;
        for (const Fault& fault : faultTable()) {
            if (fault.act)
                acting.push_back(&fault);
        }
        std::stable_sort(acting.begin(), acting.end(),
                         [](const Fault* a, const Fault* b) { return a->step < b->step; });
        return acting;
    }();
    return order;
}

void act(const Fault& fault, LineFaults& line, FaultedExchange& x)
{
    if (fault.act(line, x) && !fault.logLabel.isEmpty())
        x.mark = &fault;
}

} // namespace

std::span<const Fault> faultTable()
{
    static const Fault table[] = {
        {
            .option = QStringLiteral("noise"),
            .valueName = QStringLiteral("N"),
            .low = 0,
            .high = 1000,
            .setting = &FaultSettings::noiseCount,
            .help = QStringLiteral("在应答前加 N 个杂散可打印字符，默认 0\n"
                                   "N stray printable characters before each reply (default 0)"),
            .step = FaultStep::Prefix,
            .act =
                [](LineFaults& line, FaultedExchange& x) {
                    x.reply.prepend(line.noise());
                    return line.settings().noiseCount > 0;
                },
        },
        {
            .option = QStringLiteral("drop"),
            .valueName = QStringLiteral("PERCENT"),
            .low = 0,
            .high = 100,
            .setting = &FaultSettings::dropPercent,
            .help = QStringLiteral("丢弃该比例的应答，默认 0\n"
                                   "drop that share of the replies (default 0)"),
            .logLabel = QStringLiteral("  应答丢弃（--drop）："),
            .step = FaultStep::Loss,
            .act =
                [](LineFaults& line, FaultedExchange& x) {
                    x.lost = line.dropReply();
                    return x.lost;
                },
        },
        {
            .option = QStringLiteral("nak"),
            .valueName = QStringLiteral("PERCENT"),
            .low = 0,
            .high = 100,
            .setting = &FaultSettings::nakPercent,
            .help = QStringLiteral("对该比例的正确写命令回 NAK，默认 0\n"
                                   "answer NAK to that share of correct writes (default 0)"),
            .step = FaultStep::Command,
            .act =
                [](LineFaults& line, FaultedExchange& x) {
                    x.refuseWrite = x.writes && line.refuseWrite();
                    return x.refuseWrite;
                },
        },
        {
            .option = QStringLiteral("bad-check"),
            .valueName = QStringLiteral("PERCENT"),
            .low = 0,
            .high = 100,
            .setting = &FaultSettings::badCheckPercent,
            .help =
                QStringLiteral("该比例的应答校验和错误，默认 0\n"
                               "spoil the check field of that share of the replies (default 0)"),
            .logLabel = QStringLiteral("  错校验答（--bad-check）："),
            .step = FaultStep::Content,
            // A reply already marked late is not also spoiled: the tool has given up on it.
            .act =
                [](LineFaults& line, FaultedExchange& x) {
                    if (x.mark || !x.framed || !line.spoilCheck())
                        return false;
                    x.reply = LineFaults::withSpoiledCheck(x.reply);
                    return true;
                },
        },
        {
            .option = QStringLiteral("late"),
            .valueName = QStringLiteral("PERCENT"),
            .low = 0,
            .high = 100,
            .setting = &FaultSettings::latePercent,
            .help = QStringLiteral("该比例的应答迟发（在 --late-by 之后），默认 0\n"
                                   "send that share of the replies late (default 0)"),
            .logLabel = QStringLiteral("  迟答（--late）："),
            .step = FaultStep::Start,
            .act =
                [](LineFaults& line, FaultedExchange& x) {
                    if (!line.lateReply())
                        return false;
                    x.delayNs = line.settings().lateByMs * kNsPerMs;
                    return true;
                },
        },
        {
            .option = QStringLiteral("late-by"),
            .valueName = QStringLiteral("MS"),
            .low = 0,
            .high = 600'000,
            .setting = &FaultSettings::lateByMs,
            .help = QStringLiteral("迟发应答在命令结束后多久开始，默认 3500\n"
                                   "when a late reply starts after the command (default 3500)"),
            .step = FaultStep::Start,
        },
        {
            .option = QStringLiteral("jitter"),
            .valueName = QStringLiteral("MS"),
            .low = 0,
            .high = 60'000,
            .setting = &FaultSettings::jitterMs,
            .help = QStringLiteral("应答延时在 0 到 MS 之间均匀变化，默认 0\n"
                                   "vary the reply delay uniformly by up to MS (default 0)"),
            .step = FaultStep::Delay,
            .act =
                [](LineFaults& line, FaultedExchange& x) {
                    if (line.settings().jitterMs <= 0)
                        return false;
                    x.delayNs += line.jitterNs();
                    x.loggedDelayNs = x.delayNs;
                    return true;
                },
        },
    };
    return table;
}

const Fault* faultNamed(QStringView option)
{
    const auto found = std::find_if(faultTable().begin(), faultTable().end(),
                                    [&](const Fault& fault) { return fault.option == option; });
    return found == faultTable().end() ? nullptr : &*found;
}

void actOnCommand(LineFaults& line, FaultedExchange& x)
{
    for (const Fault* fault : inStepOrder()) {
        if (fault->step == FaultStep::Command)
            act(*fault, line, x);
    }
}

void actOnReply(LineFaults& line, FaultedExchange& x)
{
    for (const Fault* fault : inStepOrder()) {
        if (x.lost)
            return;
        if (fault->step != FaultStep::Command)
            act(*fault, line, x);
    }
}

} // namespace sim
