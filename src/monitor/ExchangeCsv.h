#pragma once

#include <QList>
#include <QString>

class FramesModel;

// The per-exchange CSV of the exchanges shown (diagnosis/ExchangeCsv.h).
namespace monitor {

// Writes the exchanges the frames page holds, oldest first (port events are
// not exchanges and are left out). False with `error` set when the file could
// not be written; an existing file is then left as it was.
bool writeFramesCsv(const FramesModel& frames, const QString& path, QString* error);

} // namespace monitor
