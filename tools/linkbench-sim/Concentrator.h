#pragma once

#include "BusLayout.h"
#include "wire/CommandFrame.h"

#include <QByteArrayList>
#include <QDateTime>
#include <optional>
#include <utility>

// The HBX concentrator's answers. Each reply is STX, the address field, the
// request's parameter number and RS (the header), then its fields each
// followed by RS, then the check field over everything before it, then ETB.
namespace sim {

class Concentrator
{
public:
    explicit Concentrator(BusLayout layout) : m_layout(std::move(layout)) {}

    static constexpr int kHistorySamples = 6;
    static constexpr qint64 kHistoryIntervalMs = 10 * 60 * 1000;

    // The reply to requests 70 to 74; nothing for any other number.
    std::optional<QByteArray> reply(const wire::Command& command, const QDateTime& now) const;

    // The fields alone, without header, separators and check field.
    std::optional<QByteArrayList> fields(const wire::Command& command, const QDateTime& now) const;

private:
    QByteArrayList currentValues(const QByteArray& channel, const QDateTime& now) const;
    QByteArrayList history(const wire::Command& command, const QDateTime& now) const;

    BusLayout m_layout;
};

} // namespace sim
