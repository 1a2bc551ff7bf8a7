#include "AlarmLog.h"

#include "ListenTexts.h"
#include "diagnosis/ExchangeRecord.h"

#include <QDir>
#include <QFileInfo>

namespace poll {

void AlarmLog::keepBeside(const QString& csvPath)
{
    const QFileInfo csv(csvPath);
    m_file.setFileName(csv.dir().filePath(csv.completeBaseName() + QStringLiteral(".alarms.log")));
}

std::optional<QString> AlarmLog::record(int targetIndex, const QString& targetLabel, bool success,
                                        const QDateTime& at)
{
    const std::optional<diagnosis::AlarmChange> change = m_alarm.record(targetIndex, success);
    if (!change)
        return std::nullopt;
    const diagnosis::AlarmSettings& s = m_alarm.settings();
    const QString percent = QString::number(change->successPercent, 'f', 1);
    const QString text =
        change->raised ? listen_texts::AlarmRaised.arg(targetLabel)
                             .arg(s.window)
                             .arg(percent)
                             .arg(s.belowPercent)
                       : listen_texts::AlarmCleared.arg(targetLabel).arg(s.window).arg(percent);
    if (m_file.fileName().isEmpty())
        return text;
    const QByteArray line =
        (diagnosis::recordStamp(at) + u' ' + text + QStringLiteral("\r\n")).toUtf8();
    if ((!m_file.isOpen() &&
         !m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) ||
        m_file.write(line) != line.size())
        return text + u'\n' +
               listen_texts::AlarmLogCannotOpen.arg(m_file.fileName(), m_file.errorString());
    return text;
}

} // namespace poll
