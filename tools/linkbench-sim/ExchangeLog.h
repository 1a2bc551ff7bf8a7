#pragma once

#include "InstrumentBus.h"

#include <QByteArray>
#include <QString>
#include <QTime>

// The lines the simulator writes to standard error, one per command.
namespace sim {

// "14:03:05.120 收 <DC1>00101<ETX>  答 <STX>00101+0011.0...<ETB>", or with
// "不答：" and the reason, or with "应答丢弃（--drop）：" and the lost reply.
// `sent` is what goes on the line (stray characters included).
QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer, bool dropped,
                     const QByteArray& sent);

// How a reply went out, for the log's label: "  答 ", or for the faults made
// on purpose "应答丢弃（--drop）：", "迟答（--late）：", "错校验答（--bad-check）：".
enum class ReplyFate { Sent, Dropped, Late, SpoiledCheck };

// As above; `delayNs` >= 0 adds the reply delay a --jitter draw made.
QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer,
                     ReplyFate fate, const QByteArray& sent, qint64 delayNs = -1);

} // namespace sim
