#pragma once

#include "SimLine.h"

#include <QSocketNotifier>
#include <QTimer>
#include <memory>

// A pseudo-terminal pair made by the simulator: it serves on the master and
// the tool opens the slave. The simulator keeps a descriptor of the slave open
// itself, so that the tool may close and reopen the slave at every Start
// without the master seeing a hang-up (EIO, and a read notification that
// never stops).
namespace sim {

class PtyLine : public SimLine
{
    Q_OBJECT
public:
    explicit PtyLine(QObject* parent = nullptr);
    ~PtyLine() override;

    // Makes the pair: raw, 8 data bits, no parity, two stop bits.
    bool open(QString* error);

    QString devicePath() const override { return m_slavePath; }
    void write(const QByteArray& bytes) override;
    bool pacesItself() const override { return false; }

    // Unsent bytes kept at most: replies nobody reads are not piled up forever.
    static constexpr qsizetype kMaxPending = 64 * 1024;

private:
    void onReadable();
    void flushPending();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QByteArray m_pending;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
    QTimer m_readRetry; // after an EIO, read again later instead of spinning
};

} // namespace sim
