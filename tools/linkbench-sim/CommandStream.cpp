#include "CommandStream.h"

#include "wire/ControlChars.h"
#include "wire/Function.h"

namespace sim {

namespace {

bool isFunctionChar(char byte)
{
    return wire::functionOfCode(uchar(byte)).has_value();
}

} // namespace

bool CommandStream::continuesConcentratorCommand(char byte) const
{
    if (byte != char(ctl::DC2) || m_frame.isEmpty() || m_frame.front() != char(ctl::DC4))
        return false;
    for (qsizetype i = 1; i < m_frame.size(); ++i) {
        if (m_frame[i] < '0' || m_frame[i] > '9')
            return false;
    }
    return true;
}

std::optional<QByteArray> CommandStream::push(char byte)
{
    if (isFunctionChar(byte) && !continuesConcentratorCommand(byte)) {
        m_dropped += m_frame.size();
        m_frame = QByteArray(1, byte);
        return std::nullopt;
    }
    if (m_frame.isEmpty()) {
        ++m_dropped;
        return std::nullopt;
    }
    m_frame.append(byte);
    if (byte == char(ctl::ETX)) {
        QByteArray frame;
        frame.swap(m_frame);
        return frame;
    }
    if (m_frame.size() >= kMaxFrameLength) {
        m_dropped += m_frame.size();
        m_frame.clear();
    }
    return std::nullopt;
}

} // namespace sim
