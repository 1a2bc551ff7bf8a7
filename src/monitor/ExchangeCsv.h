#pragma once

#include "diagnosis/ExchangeRecord.h"

#include <QList>
#include <QString>

class FramesModel;

// The per-exchange CSV: UTF-8 with a byte-order mark, the header line, one line
// per exchange, fields quoted as RFC 4180 asks, CR LF line ends.
namespace monitor {

QString csvHeader();
QString csvLine(const diagnosis::ExchangeRecord& record);

// Writes the exchanges the frames page holds, oldest first (port events are
// not exchanges and are left out). False with `error` set when the file could
// not be written; an existing file is then left as it was.
bool writeFramesCsv(const FramesModel& frames, const QString& path, QString* error);

} // namespace monitor
