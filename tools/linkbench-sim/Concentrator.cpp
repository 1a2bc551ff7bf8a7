#include "Concentrator.h"

#include "ProcessValue.h"
#include "ReplyFrames.h"
#include "protocol/ControlChars.h"

namespace sim {

namespace {

QByteArray addressText(int address)
{
    return QByteArray::number(address).rightJustified(3, '0');
}
QByteArray channelText(int channel)
{
    return QByteArray::number(channel).rightJustified(2, '0');
}

QByteArrayList addressList(const QList<int>& addresses)
{
    QByteArrayList list;
    for (const int address : addresses)
        list << addressText(address);
    return list;
}

} // namespace

QByteArrayList Concentrator::currentValues(int channel, const QDateTime& now) const
{
    QByteArrayList list;
    for (const int address : m_layout.instruments) {
        if (!m_layout.isFaulty(address))
            list << addressText(address) + channelText(channel) +
                        processValueText(processValue(address, channel, now.toMSecsSinceEpoch()));
    }
    return list;
}

// The samples the HBX took of one instrument channel at the last full
// ten-minute marks, newest first, each as "hh:mm" and the value.
QByteArrayList Concentrator::history(int address, int channel, const QDateTime& now) const
{
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

std::optional<QByteArrayList> Concentrator::fields(const Command& command,
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
        return history(command.address, command.channel, now);
    return std::nullopt;
}

std::optional<QByteArray> Concentrator::reply(const Command& command, const QDateTime& now) const
{
    const std::optional<QByteArrayList> list = fields(command, now);
    if (!list)
        return std::nullopt;
    QByteArray text = char(ctl::STX) + command.hbxAddress + command.parameter + char(ctl::RS);
    for (const QByteArray& field : *list)
        text += field + char(ctl::RS);
    return text + checkField(text) + char(ctl::ETB);
}

} // namespace sim
