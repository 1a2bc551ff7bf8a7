#include "monitor/ExchangeCsv.h"

#include "diagnosis/ExchangeCsv.h"
#include "monitor/FramesModel.h"
#include "monitor/MonitorTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace monitor {

bool writeFramesCsv(const FramesModel& frames, const QString& path, QString* error)
{
    QByteArray bytes = diagnosis::exchangeCsvStart();
    for (int row = frames.rowCount() - 1; row >= 0; --row) {
        const FramesModel::Line& line = frames.line(row);
        if (line.note.isEmpty())
            bytes += diagnosis::csvLine(diagnosis::exchangeCsvFields(line.record)).toUtf8();
    }
    // QSaveFile names a missing folder "Unknown error"; it is named here instead.
    if (!QFileInfo(path).absoluteDir().exists()) {
        if (error)
            *error = monitor_texts::FolderMissing;
        return false;
    }
    QSaveFile file(path);
    // QSaveFile may only write its buffer inside commit() and still report
    // success on a full disk, so the write is flushed and checked first.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.flush() ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace monitor
