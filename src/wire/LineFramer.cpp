#include "wire/LineFramer.h"

#include "wire/ControlChars.h"
#include "wire/Function.h"

#include <utility>

namespace wire {

namespace {

bool isFunctionChar(char byte)
{
    return functionOfCode(uchar(byte)).has_value();
}

bool startsFrame(char byte)
{
    return isFunctionChar(byte) || byte == char(ctl::STX) || byte == char(ctl::ACK) ||
           byte == char(ctl::NAK);
}

} // namespace

QList<LineFrame> LineFramer::take(QByteArrayView bytes)
{
    QList<LineFrame> out;
    for (const char byte : bytes)
        takeByte(byte, out);
    if (!m_noise.isEmpty())
        out.append({FrameKind::Noise, std::exchange(m_noise, {})});
    return out;
}

// A concentrator request carries a DC2 of its own right after the HBX
// address digits; any other function character starts the next command.
bool LineFramer::continuesConcentratorCommand(char byte) const
{
    if (byte != char(ctl::DC2) || m_frame.size() < 2 || m_frame.front() != char(ctl::DC4))
        return false;
    for (qsizetype i = 1; i < m_frame.size(); ++i) {
        if (m_frame[i] < '0' || m_frame[i] > '9')
            return false;
    }
    return true;
}

void LineFramer::takeByte(char byte, QList<LineFrame>& out)
{
    if (startsFrame(byte) && !continuesConcentratorCommand(byte)) {
        abandon();
        start(byte, out);
        return;
    }
    if (m_frame.isEmpty()) {
        m_noise.append(byte);
        return;
    }
    m_frame.append(byte);
    const bool command = m_frame.front() != char(ctl::STX);
    if (byte == char(command ? ctl::ETX : ctl::ETB)) {
        if (!m_noise.isEmpty())
            out.append({FrameKind::Noise, std::exchange(m_noise, {})});
        out.append({command ? FrameKind::Command : FrameKind::Reply, std::exchange(m_frame, {})});
    } else if (m_frame.size() >= kMaxFrameLength) {
        abandon();
    }
}

void LineFramer::start(char byte, QList<LineFrame>& out)
{
    if (byte != char(ctl::ACK) && byte != char(ctl::NAK)) {
        m_frame = QByteArray(1, byte);
        return;
    }
    if (!m_noise.isEmpty())
        out.append({FrameKind::Noise, std::exchange(m_noise, {})});
    out.append({byte == char(ctl::ACK) ? FrameKind::Ack : FrameKind::Nak, QByteArray(1, byte)});
}

// An unfinished frame cut short by the start of another is noise.
void LineFramer::abandon()
{
    m_noise += std::exchange(m_frame, {});
}

} // namespace wire
