#pragma once

#include "PtyLine.h"
#include "SimLine.h"

#include <memory>

// The simulator's line with a tap: a second pseudo-terminal that gets a copy
// of every byte on the line, both directions, in the order and at the time
// they pass (replies as the wire time lets them out), so that a listener can
// be attached to any session. Nothing the tap's reader writes reaches the
// line; it is reported instead, since a listener must never write.
namespace sim {

class TapLine : public SimLine
{
    Q_OBJECT
public:
    explicit TapLine(std::unique_ptr<SimLine> line, QObject* parent = nullptr);

    // Makes the tap's pseudo-terminal.
    bool open(QString* error);
    QString tapPath() const { return m_tap.devicePath(); }

    QString devicePath() const override { return m_line->devicePath(); }
    void write(const QByteArray& bytes) override;
    bool pacesItself() const override { return m_line->pacesItself(); }

signals:
    // Bytes the tap's reader wrote, which a listener never should.
    void tapWritten(const QByteArray& bytes);

private:
    std::unique_ptr<SimLine> m_line;
    PtyLine m_tap;
};

} // namespace sim
