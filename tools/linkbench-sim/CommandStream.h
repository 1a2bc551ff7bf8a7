#pragma once

#include <QByteArray>
#include <optional>

// Cuts the received byte stream into command frames. Bytes arrive singly or in
// any chunks; a frame runs from a function character (DC1..DC4) through the
// next ETX. A function character always starts a new frame, dropping a
// partial one, except for the DC2 that a concentrator command carries right
// after its address digits. Bytes outside a frame are dropped.
namespace sim {

class CommandStream
{
public:
    // Longer partial frames are dropped: no command of the tool comes near it.
    static constexpr qsizetype kMaxFrameLength = 256;

    // Takes one byte; returns the frame that it completes, if any.
    std::optional<QByteArray> push(char byte);

    // Bytes dropped so far: outside a frame, or of frames cut short.
    qint64 droppedBytes() const { return m_dropped; }

private:
    bool continuesConcentratorCommand(char byte) const;

    QByteArray m_frame; // empty while waiting for a function character
    qint64 m_dropped = 0;
};

} // namespace sim
