#include "Concentrator.h"

#include "ProcessValue.h"
#include "wire/ReplyFrame.h"

namespace sim {

namespace {

QByteArrayList addressList(const QList<int>& addresses)
{
    QByteArrayList list;
    for (const int address : addresses)
        list << wire::addressField(address);
    return list;
}

} // namespace

QByteArrayList Concentrator::currentValues(const QByteArray& channel, const QDateTime& now) const
{
    QByteArrayList list;
    for (const int address : m_layout.instruments) {
        if (!m_layout.isFaulty(address))
            list << wire::addressField(address) + channel +
                        processValueText(
                            processValue(address, channel.toInt(), now.toMSecsSinceEpoch()));
    }
    return list;
}

// The samples the HBX took of one instrument channel at the last full
// ten-minute marks, newest first, each as "hh:mm" and the value.
QByteArrayList Concentrator::history(const wire::Command& command, const QDateTime& now) const
{
    const int address = command.address.toInt();
    const int channel = command.channel.toInt();
    QByteArrayList list;
    if (!m_layout.isAttached(address) || m_layout.isFaulty(address))
        return list;
    const qint64 nowMs = now.toMSecsSinceEpoch();
    const qint64 lastMark =
        nowMs - ((nowMs % kHistoryIntervalMs) + kHistoryIntervalMs) % kHistoryIntervalMs;
    for (int i = 0; i < kHistorySamples; ++i) {
        const qint64 sampleMs = lastMark - i * kHistoryIntervalMs;
        const QDateTime sampleTime = now.addMSecs(sampleMs - nowMs);
        list << sampleTime.toString(QStringLiteral("hh:mm")).toLatin1() +
                    processValueText(processValue(address, channel, sampleMs));
    }
    return list;
}

std::optional<QByteArrayList> Concentrator::fields(const wire::Command& command,
                                                   const QDateTime& now) const
{
    if (command.parameter == "70")
        return QByteArrayList{now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toLatin1()};
    if (command.parameter == "71")
        return addressList(m_layout.instruments);
    if (command.parameter == "72")
        return addressList(m_layout.faulty);
    if (command.parameter == "73")
        return currentValues(command.channel, now);
    if (command.parameter == "74")
        return history(command, now);
    return std::nullopt;
}

std::optional<QByteArray> Concentrator::reply(const wire::Command& command,
                                              const QDateTime& now) const
{
    const std::optional<QByteArrayList> list = fields(command, now);
    if (!list)
        return std::nullopt;
    return wire::framedReply(wire::hbxReplyBody(command.hbxAddress, command.parameter, *list));
}

} // namespace sim
