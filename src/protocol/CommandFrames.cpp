#include "protocol/CommandFrames.h"

#include "catalogue/ParameterList.h"
#include "wire/CommandFrame.h"
#include "wire/NumericText.h"

#include <cstdint>

namespace frames {

int parseAddress(const QString& boxText)
{
    const auto value = numeric::parseNumber(boxText);
    if (!value || *value < 1.0 || *value > 255.0)
        return -1;
    return numeric::formatDigits(*value, 3, 0).toInt();
}

void compose(ModuleVars& vars, const Selection& selection)
{
    const std::optional<wire::Function> selected = wire::functionAt(selection.functionIndex);
    if (selected)
        vars.FuncCode = QString(QChar(wire::functionCode(*selected)));

    const int address = parseAddress(selection.addressText);
    vars.AddrNum = std::int16_t(address);
    vars.InstrAddr = QString::fromLatin1(wire::addressField(address));
    // The channel field is the entry's text, so the last entry "90" yields "90".
    vars.ChannelNo = selection.channelText;
    vars.ParamNo = catalogue::parameterCode(selection.parameterEntry);

    const std::optional<wire::Function> function =
        vars.FuncCode.size() == 1 ? wire::functionOfCode(vars.FuncCode[0].unicode()) : std::nullopt;
    if (!function)
        return;
    wire::Command command;
    command.function = *function;
    command.parameter = vars.ParamNo.toLatin1();
    if (*function == wire::Function::Dc4) {
        vars.AddrNum = std::int16_t(vars.InstrAddr.toInt());
        vars.HbxAddr = QString::fromLatin1(wire::hbxAddressField(vars.AddrNum));
        command.hbxAddress = vars.HbxAddr.toLatin1();
    } else {
        command.address = vars.InstrAddr.toLatin1();
        command.channel = vars.ChannelNo.toLatin1();
        command.value = wire::valueField(selection.valueBoxText).toLatin1();
    }
    // Every parameter gets the same DC4 layout, so a DC4 never re-sends a stale frame.
    vars.SentFrame = QString::fromLatin1(wire::composeCommand(command));
}

} // namespace frames
