#pragma once

#include "FaultTable.h"
#include "InstrumentBus.h"

#include <QByteArray>
#include <QString>
#include <QTime>

// The lines the simulator writes to standard error, one per command.
namespace sim {

// "14:03:05.120 收 <DC1>00101<ETX>  答 <STX>00101+0011.0...<ETB>", or with
// "不答：" and the reason. `sent` is what goes on the line (stray characters
// included); `mark`, when set, is the fault that spoilt the reply on purpose,
// whose log label stands in place of "  答 " ("  应答丢弃（--drop）："), and
// `delayNs` >= 0 adds the reply delay a --jitter draw made.
QString exchangeLine(const QTime& time, const QByteArray& frame, const Answer& answer,
                     const Fault* mark, const QByteArray& sent, qint64 delayNs = -1);

} // namespace sim
