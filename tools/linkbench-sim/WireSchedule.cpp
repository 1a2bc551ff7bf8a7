#include "WireSchedule.h"

#include <algorithm>

namespace sim {

namespace {

constexpr qint64 kBitsPerChar = 11;
constexpr qint64 kNsPerSecond = 1'000'000'000;

} // namespace

qint64 wireNs(qint64 chars, int baud)
{
    return baud > 0 ? chars * kBitsPerChar * kNsPerSecond / baud : 0;
}

qint64 ArrivalModel::arrive(qint64 readNs)
{
    m_lastNs = std::max(m_lastNs, readNs) + wireNs(1, m_baud);
    return m_lastNs;
}

WirePlan planTransmission(const QList<QByteArray>& pieces, qint64 startNs, qint64 gapNs, int baud)
{
    WirePlan plan;
    qint64 pieceStart = startNs;
    for (qsizetype k = 0; k < pieces.size(); ++k) {
        if (k > 0)
            pieceStart += gapNs;
        const QByteArray& piece = pieces[k];
        if (baud <= 0) {
            plan.writes.append({pieceStart, piece});
            continue;
        }
        // Due times come from the piece's start, so rounding never accumulates.
        for (qsizetype j = 0; j < piece.size(); ++j)
            plan.writes.append({pieceStart + wireNs(j + 1, baud), piece.mid(j, 1)});
        pieceStart += wireNs(piece.size(), baud);
    }
    plan.endNs = pieceStart;
    return plan;
}

} // namespace sim
