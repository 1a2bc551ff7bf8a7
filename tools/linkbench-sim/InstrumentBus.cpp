#include "InstrumentBus.h"

#include "ProcessValue.h"
#include "SimTexts.h"
#include "catalogue/ParameterList.h"
#include "wire/ControlChars.h"
#include "wire/NumericText.h"
#include "wire/ReplyFrame.h"

#include <utility>

namespace sim {

namespace {

Answer silent(const QString& note)
{
    return {AnswerKind::Silent, {}, note};
}
Answer nak(const QString& note)
{
    return {AnswerKind::Nak, QByteArray(1, char(ctl::NAK)), note};
}

bool parameterExists(const QByteArray& code)
{
    return catalogue::parameterPosition(QString::fromLatin1(code)) >= 0;
}

} // namespace

InstrumentBus::InstrumentBus(BusLayout layout, Clock clock)
    : m_layout(std::move(layout)), m_clock(std::move(clock)), m_concentrator(m_layout)
{
}

Answer InstrumentBus::answer(const QByteArray& frame, bool refuseWrite)
{
    const std::optional<wire::Command> command = wire::parseCommand(frame);
    if (!command)
        return silent(sim_texts::Malformed);
    if (command->function == wire::Function::Dc4)
        return toConcentrator(*command);
    return toInstrument(*command, refuseWrite);
}

Answer InstrumentBus::toInstrument(const wire::Command& command, bool refuseWrite)
{
    const int address = command.address.toInt();
    const int channel = command.channel.toInt();
    if (!m_layout.isAttached(address))
        return silent(sim_texts::NotOnBus);
    if (m_layout.isFaulty(address))
        return silent(sim_texts::Faulty);
    if (!BusLayout::hasChannel(channel))
        return silent(sim_texts::NoChannel);

    const QByteArray place = command.address + command.channel;
    if (command.function == wire::Function::Dc1) {
        const double value = processValue(address, channel, m_clock().toMSecsSinceEpoch());
        return {AnswerKind::Reply, wire::framedReply(place + processValueText(value)), {}};
    }
    if (command.function == wire::Function::Dc2) {
        // A read cannot be refused: a parameter the instrument lacks goes unanswered.
        if (!parameterExists(command.parameter))
            return silent(sim_texts::NoParameter);
        const QByteArray value = m_parameters.value(address, channel, command.parameter);
        return {
            AnswerKind::Reply,
            wire::framedReply(place + char(ctl::US) + command.parameter + char(ctl::US) + value),
            {}};
    }
    return write(command, refuseWrite);
}

Answer InstrumentBus::write(const wire::Command& command, bool refuseWrite)
{
    if (!wire::checksumHolds(command))
        return nak(sim_texts::WrongChecksum);
    if (!parameterExists(command.parameter))
        return nak(sim_texts::NoParameter);
    if (!numeric::isNumber(QString::fromLatin1(command.value)))
        return nak(sim_texts::NotANumber);
    if (refuseWrite)
        return nak(sim_texts::ForcedNak);
    if (m_refusedWrites.contains(command.parameter))
        return nak(sim_texts::RefusedWrite);
    m_parameters.store(command.address.toInt(), command.channel.toInt(), command.parameter,
                       command.value);
    return {AnswerKind::Ack, QByteArray(1, char(ctl::ACK)), sim_texts::Written};
}

Answer InstrumentBus::toConcentrator(const wire::Command& command)
{
    if (command.hbxAddress != m_layout.hbxAddressField())
        return silent(sim_texts::NotOnBus);
    if (!BusLayout::hasChannel(command.channel.toInt()))
        return silent(sim_texts::NoChannel);
    const std::optional<QByteArray> reply = m_concentrator.reply(command, m_clock());
    if (!reply)
        return silent(sim_texts::NoHbxFunction);
    return {AnswerKind::Reply, *reply, {}};
}

} // namespace sim
