#pragma once

#include <QByteArray>
#include <map>
#include <tuple>

// The parameters of every simulated instrument and channel, as value texts in
// the form the tool writes them ("00003", "1000.0"). Each starts at a
// plausible default; an accepted write replaces it for the rest of the run.
namespace sim {

class ParameterStore
{
public:
    // The current value text of parameter `code` ("11") of an instrument channel.
    QByteArray value(int address, int channel, const QByteArray& code) const;
    void store(int address, int channel, const QByteArray& code, const QByteArray& value);

    // The value before any write: a fixed text per code, the instrument's own
    // address for "28", "00000" for codes without a default of their own.
    static QByteArray defaultValue(int address, const QByteArray& code);

private:
    using Key = std::tuple<int, int, QByteArray>;
    std::map<Key, QByteArray> m_written;
};

} // namespace sim
