#include "LineFaults.h"

#include <algorithm>

namespace sim {

LineFaults::LineFaults(const FaultSettings& settings, quint64 seed)
    : m_settings(settings), m_random(seed)
{
}

// Plain modulo on the 64-bit draw: the bias is far below one in a billion, and
// unlike std::uniform_int_distribution it gives the same draws everywhere.
bool LineFaults::roll(int percent)
{
    return m_random() % 100 < quint64(std::max(percent, 0));
}

QByteArray LineFaults::noise()
{
    constexpr int kFirst = '!';
    constexpr int kCount = '~' - '!' + 1;
    QByteArray text;
    text.reserve(m_settings.noiseCount);
    for (int i = 0; i < m_settings.noiseCount; ++i)
        text.append(char(kFirst + int(m_random() % kCount)));
    return text;
}

qint64 LineFaults::jitterNs()
{
    if (m_settings.jitterMs <= 0)
        return 0;
    // Microsecond steps: fine enough for a histogram to show the spread.
    const quint64 steps = quint64(m_settings.jitterMs) * 1000 + 1;
    return qint64(m_random() % steps) * 1000;
}

QByteArray LineFaults::withSpoiledCheck(const QByteArray& reply)
{
    QByteArray spoiled = reply;
    const qsizetype digit = reply.size() - 2;
    if (digit >= 0 && spoiled[digit] >= '0' && spoiled[digit] <= '9')
        spoiled[digit] = char('0' + (spoiled[digit] - '0' + 1) % 10);
    return spoiled;
}

QList<QByteArray> LineFaults::split(const QByteArray& bytes, int pieces)
{
    const qsizetype count = std::clamp<qsizetype>(pieces, 1, std::max<qsizetype>(bytes.size(), 1));
    QList<QByteArray> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype length = bytes.size() / count + (i < bytes.size() % count ? 1 : 0);
        parts << bytes.mid(start, length);
        start += length;
    }
    return parts;
}

} // namespace sim
