#include "MasterPlayer.h"

#include "catalogue/AddressRanges.h"
#include "wire/CommandFrame.h"
#include "wire/Function.h"

namespace sim {

namespace {

QByteArray frameFor(wire::Function function, int address)
{
    const QByteArray place = wire::addressField(address);
    switch (function) {
    case wire::Function::Dc1:
        return wire::dc1Frame(place, "01");
    case wire::Function::Dc2:
        return wire::dc2Frame(place, "01", "11");
    case wire::Function::Dc3:
        return wire::dc3Frame(place, "01", "12", "0100.0");
    case wire::Function::Dc4:
        return wire::dc4Frame(wire::hbxAddressField(address), "73");
    }
    return {};
}

} // namespace

std::optional<MasterRound> parseMasterRound(const QString& text)
{
    MasterRound round;
    QString rest = text.trimmed();
    QList<wire::Function> functions{wire::Function::Dc1};
    if (const qsizetype at = rest.indexOf(u'@'); at >= 0) {
        functions.clear();
        for (const QString& name : rest.left(at).split(u'+')) {
            const std::optional<wire::Function> function = wire::functionNamed(name);
            if (!function)
                return std::nullopt;
            functions << *function;
        }
        rest = rest.mid(at + 1);
    }
    if (const qsizetype slash = rest.indexOf(u'/'); slash >= 0) {
        bool ok = false;
        round.intervalMs = rest.mid(slash + 1).toInt(&ok);
        if (!ok || round.intervalMs < 1 || round.intervalMs > 3'600'000)
            return std::nullopt;
        rest = rest.left(slash);
    }
    const std::optional<QList<int>> addresses = parseAscendingAddresses(rest);
    if (!addresses)
        return std::nullopt;
    for (const int address : *addresses) {
        for (const wire::Function function : functions)
            round.frames << frameFor(function, address);
    }
    return round;
}

MasterPlayer::MasterPlayer(const MasterRound& round, Send send, QObject* parent)
    : QObject(parent), m_round(round), m_send(std::move(send))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(m_round.intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &MasterPlayer::sendNext);
}

void MasterPlayer::start()
{
    m_timer.start();
}

void MasterPlayer::sendNext()
{
    if (m_round.frames.isEmpty())
        return;
    m_send(m_round.frames[m_next]);
    m_next = (m_next + 1) % m_round.frames.size();
}

} // namespace sim
