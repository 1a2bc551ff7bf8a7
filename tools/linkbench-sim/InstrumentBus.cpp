#include "InstrumentBus.h"

#include "ProcessValue.h"
#include "ReplyFrames.h"
#include "SimTexts.h"
#include "catalogue/ParameterList.h"
#include "protocol/CommandFrames.h"
#include "protocol/ControlChars.h"
#include "protocol/NumericText.h"

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

QByteArray addressAndChannel(const Command& command)
{
    return QByteArray::number(command.address).rightJustified(3, '0') +
           QByteArray::number(command.channel).rightJustified(2, '0');
}

} // namespace

InstrumentBus::InstrumentBus(BusLayout layout, Clock clock)
    : m_layout(std::move(layout)), m_clock(std::move(clock)), m_concentrator(m_layout)
{
}

Answer InstrumentBus::answer(const QByteArray& frame, bool refuseWrite)
{
    const std::optional<Command> command = parseCommand(frame);
    if (!command)
        return silent(texts::kMalformed);
    if (command->function == Function::Concentrator)
        return toConcentrator(*command);
    return toInstrument(*command, refuseWrite);
}

Answer InstrumentBus::toInstrument(const Command& command, bool refuseWrite)
{
    if (!m_layout.isAttached(command.address))
        return silent(texts::kNotOnBus);
    if (m_layout.isFaulty(command.address))
        return silent(texts::kFaulty);
    if (!BusLayout::hasChannel(command.channel))
        return silent(texts::kNoChannel);

    if (command.function == Function::ReadValue) {
        const double value =
            processValue(command.address, command.channel, m_clock().toMSecsSinceEpoch());
        return {AnswerKind::Reply,
                framedReply(addressAndChannel(command) + processValueText(value)),
                {}};
    }
    if (command.function == Function::ReadParameter) {
        // A read cannot be refused: a parameter the instrument lacks goes unanswered.
        if (!parameterExists(command.parameter))
            return silent(texts::kNoParameter);
        const QByteArray value =
            m_parameters.value(command.address, command.channel, command.parameter);
        return {AnswerKind::Reply,
                framedReply(addressAndChannel(command) + char(ctl::US) + command.parameter +
                            char(ctl::US) + value),
                {}};
    }
    return write(command, refuseWrite);
}

Answer InstrumentBus::write(const Command& command, bool refuseWrite)
{
    const QString expected = frames::checksum(QString::fromLatin1(command.summedBody));
    if (command.checksum != expected.toLatin1())
        return nak(texts::kWrongChecksum);
    if (!parameterExists(command.parameter))
        return nak(texts::kNoParameter);
    if (!numeric::isNumber(QString::fromLatin1(command.value)))
        return nak(texts::kNotANumber);
    if (refuseWrite)
        return nak(texts::kForcedNak);
    m_parameters.store(command.address, command.channel, command.parameter, command.value);
    return {AnswerKind::Ack, QByteArray(1, char(ctl::ACK)), texts::kWritten};
}

Answer InstrumentBus::toConcentrator(const Command& command)
{
    if (command.hbxAddress != m_layout.hbxAddressField())
        return silent(texts::kNotOnBus);
    if (!BusLayout::hasChannel(command.channel))
        return silent(texts::kNoChannel);
    const std::optional<QByteArray> reply = m_concentrator.reply(command, m_clock());
    if (!reply)
        return silent(texts::kNoHbxFunction);
    return {AnswerKind::Reply, *reply, {}};
}

} // namespace sim
