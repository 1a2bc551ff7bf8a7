#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Cuts the bytes a listener reads off a line into the frames both sides send,
// whatever chunks they come in: commands (a function character through ETX),
// framed replies (STX through ETB), a lone ACK or NAK, and noise, the bytes
// that belong to no frame. Every byte taken comes out in exactly one frame or
// in noise, in order, or is still held in an unfinished frame.
namespace wire {

enum class FrameKind { Command, Reply, Ack, Nak, Noise };

struct LineFrame
{
    FrameKind kind = FrameKind::Noise;
    QByteArray bytes;

    bool operator==(const LineFrame&) const = default;
};

class LineFramer
{
public:
    // A longer unfinished frame is noise: no frame of the line comes near it.
    static constexpr qsizetype kMaxFrameLength = 256;

    // The frames and noise that `bytes` complete, in line order. Noise is
    // handed out as soon as it is known to be noise.
    QList<LineFrame> take(QByteArrayView bytes);

    // The unfinished frame held, empty when none.
    const QByteArray& unfinished() const { return m_frame; }

private:
    void takeByte(char byte, QList<LineFrame>& out);
    void start(char byte, QList<LineFrame>& out);
    void abandon();
    bool continuesConcentratorCommand(char byte) const;

    QByteArray m_frame; // the frame being gathered, from its first character
    QByteArray m_noise; // noise not yet handed out
};

} // namespace wire
