#pragma once

#include "platform/SerialLine.h"

#include <QByteArray>
#include <QStringList>

// A serial line for window tests. It records every call in order as text:
//   "close", "open 1 9600,n,8,2", "open /dev/ttyUSB0 9600,n,8,2", "clear",
//   "write <DC1>00101<ETX>", "read"
// and lets the test play the far end: deliver() makes bytes wait and raises the
// receive notification, fail() closes the line as a pulled adapter would.
class FakeSerialLine : public SerialLine
{
    Q_OBJECT
public:
    using SerialLine::SerialLine;

    bool isOpen() const override { return m_open; }
    void close() override;
    bool open(int portNumber, const QString& settings, QString* error) override;
    bool openDevice(const QString& device, const QString& settings, QString* error) override;
    void clearBuffers() override;
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;

    // Bytes waiting to be read, then notification(`eventCode`).
    void deliver(const QByteArray& bytes, int eventCode = line::kEventReceive);
    // The open line fails: it closes and raises failed(`reason`).
    void fail(const QString& reason);
    // The next open() calls fail with `reason` until an empty reason is set.
    void refuseOpen(const QString& reason) { m_refusal = reason; }

    const QStringList& calls() const { return m_calls; }
    void forgetCalls() { m_calls.clear(); }
    // Every byte written so far, in order.
    const QByteArray& written() const { return m_written; }
    QList<QByteArray> writes() const { return m_writes; }

private:
    bool m_open = false;
    QString m_refusal;
    QStringList m_calls;
    QByteArray m_waiting;
    QByteArray m_written;
    QList<QByteArray> m_writes;
};
