#include "ParameterStore.h"

#include <QHash>

namespace sim {

namespace {

// Defaults that look like a configured indicator: 0..1000 range, alarms at
// 80/90/10/5, PID 10 / 120 s / 30 s, the line at 9600 bit/s, programme stopped.
const QHash<QByteArray, QByteArray>& defaults()
{
    static const QHash<QByteArray, QByteArray> table = {
        {"01", "00001"},  {"02", "0000.0"}, {"03", "0004.0"}, {"04", "0004.0"}, {"05", "0050.0"},
        {"06", "00000"},  {"11", "00003"},  {"12", "0000.0"}, {"13", "1000.0"}, {"14", "0000.5"},
        {"15", "00000"},  {"16", "00000"},  {"17", "0001.0"}, {"18", "0080.0"}, {"19", "0090.0"},
        {"20", "0010.0"}, {"21", "0005.0"}, {"22", "00000"},  {"23", "00000"},  {"27", "09600"},
        {"29", "00000"},  {"30", "0000.0"}, {"31", "0010.0"}, {"32", "00120"},  {"33", "00030"},
        {"34", "0100.0"}, {"35", "0000.0"}, {"36", "0000.0"}, {"37", "0010.0"}, {"38", "0000.0"},
        {"39", "00002"},  {"40", "0000.0"}, {"41", "00000"},  {"42", "00001"},  {"43", "00000"},
    };
    return table;
}

} // namespace

QByteArray ParameterStore::defaultValue(int address, const QByteArray& code)
{
    if (code == "28")
        return QByteArray::number(address).rightJustified(5, '0');
    return defaults().value(code, QByteArrayLiteral("00000"));
}

QByteArray ParameterStore::value(int address, int channel, const QByteArray& code) const
{
    const auto found = m_written.find(Key{address, channel, code});
    return found != m_written.end() ? found->second : defaultValue(address, code);
}

void ParameterStore::store(int address, int channel, const QByteArray& code,
                           const QByteArray& value)
{
    m_written[Key{address, channel, code}] = value;
}

} // namespace sim
