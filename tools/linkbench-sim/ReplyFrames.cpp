#include "ReplyFrames.h"

#include "protocol/ControlChars.h"

namespace sim {

QByteArray checkField(const QByteArray& text)
{
    unsigned sum = 0;
    for (const char c : text)
        sum += static_cast<unsigned char>(c);
    return QByteArray::number(sum % 100000u).rightJustified(5, '0');
}

QByteArray framedReply(const QByteArray& body)
{
    const QByteArray summed = char(ctl::STX) + body;
    return summed + checkField(summed) + char(ctl::ETB);
}

} // namespace sim
