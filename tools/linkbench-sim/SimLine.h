#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The simulator's end of the serial line: its own pseudo-terminal, or a real port.
namespace sim {

class SimLine : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~SimLine() override = default;

    // The device the tool should open (the pty's slave, or the real port).
    virtual QString devicePath() const = 0;
    // Queues `bytes` for the line; they go out in order.
    virtual void write(const QByteArray& bytes) = 0;
    // Whether the line itself takes the wire time (a real port does, a pty not).
    virtual bool pacesItself() const = 0;

signals:
    void received(const QByteArray& bytes);
    void problem(const QString& reason); // logged; the line keeps trying
};

} // namespace sim
