#include "monitor/ExchangeCsv.h"

#include "monitor/FramesModel.h"

#include "monitor/MonitorTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace monitor {
namespace {

QString quoted(const QString& field)
{
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    for (QChar c : field) {
        if (needsQuotes.contains(c)) {
            QString doubled = field;
            doubled.replace(u'"', QStringLiteral("\"\""));
            return u'"' + doubled + u'"';
        }
    }
    return field;
}

} // namespace

QString csvHeader()
{
    return QStringLiteral(
        "time,address,channel,function,param,frame,reply,outcome,response_ms,value");
}

QString csvLine(const diagnosis::ExchangeRecord& record)
{
    const diagnosis::Target& target = record.target;
    const bool hasParameter = target.function != diagnosis::Function::Dc1;
    const QStringList fields = {
        diagnosis::recordStamp(record.sentAt),
        QStringLiteral("%1").arg(target.address, 3, 10, QChar(u'0')),
        target.function == diagnosis::Function::Dc4 ? QString() : target.channel,
        diagnosis::functionName(target.function),
        hasParameter ? target.param : QString(),
        diagnosis::visibleBytes(record.frame),
        diagnosis::visibleBytes(record.reply),
        diagnosis::outcomeName(record.outcome),
        diagnosis::millisecondsText(record.responseUs),
        FramesModel::valueText(record.value),
    };
    QStringList out;
    for (const QString& field : fields)
        out << quoted(field);
    return out.join(u',');
}

bool writeFramesCsv(const FramesModel& frames, const QString& path, QString* error)
{
    QString text = QStringLiteral("\uFEFF") + csvHeader() + QStringLiteral("\r\n");
    for (int row = frames.rowCount() - 1; row >= 0; --row) {
        const FramesModel::Line& line = frames.line(row);
        if (line.note.isEmpty())
            text += csvLine(line.record) + QStringLiteral("\r\n");
    }
    // QSaveFile names a missing folder "Unknown error"; it is named here instead.
    if (!QFileInfo(path).absoluteDir().exists()) {
        if (error)
            *error = monitortexts::FolderMissing;
        return false;
    }
    QSaveFile file(path);
    // QSaveFile may only write its buffer inside commit() and still report
    // success on a full disk, so the write is flushed and checked first.
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.flush() ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace monitor
