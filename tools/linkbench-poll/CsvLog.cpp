#include "CsvLog.h"

#include "diagnosis/ExchangeCsv.h"

#include <QDir>
#include <QFileInfo>

namespace poll {

bool CsvLog::open(const QString& path, QString* error)
{
    m_firstPath = path;
    m_day = QDate();
    return startFile(path, error);
}

bool CsvLog::startFile(const QString& path, QString* error)
{
    m_file.setFileName(path);
    // Unbuffered: each line reaches the system as soon as it is written.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    m_goodSize = 0;
    if (put(diagnosis::exchangeCsvStart(), error)) {
        m_headerSize = m_goodSize;
        return true;
    }
    // A file without its header is of no use to anyone: leave none behind.
    m_file.remove();
    return false;
}

QString CsvLog::nextPath(const QDate& day) const
{
    const QFileInfo first(m_firstPath);
    const QString suffix = first.suffix().isEmpty() ? QString() : u'.' + first.suffix();
    for (int n = 1;; ++n) {
        const QString path =
            first.dir().filePath(QStringLiteral("%1-%2-%3%4")
                                     .arg(first.completeBaseName(), day.toString(Qt::ISODate),
                                          QString::number(n), suffix));
        if (!QFileInfo::exists(path))
            return path;
    }
}

bool CsvLog::write(const diagnosis::ExchangeRecord& record, QString* error)
{
    return writeLine(diagnosis::csvLine(diagnosis::exchangeCsvFields(record)).toUtf8(),
                     record.sentAt, error);
}

bool CsvLog::writeFields(const QStringList& fields, const QDateTime& at, QString* error)
{
    return writeLine(diagnosis::csvLine(fields).toUtf8(), at, error);
}

bool CsvLog::writeLine(const QByteArray& line, const QDateTime& at, QString* error)
{
    const QDate day = at.date();
    const bool newDay = m_day.isValid() && day.isValid() && day != m_day;
    const bool full =
        m_maxBytes > 0 && m_goodSize > m_headerSize && m_goodSize + line.size() > m_maxBytes;
    if (newDay || full) {
        m_file.close();
        if (!startFile(nextPath(day.isValid() ? day : m_day), error))
            return false;
    }
    if (day.isValid())
        m_day = day;
    return put(line, error);
}

bool CsvLog::put(const QByteArray& bytes, QString* error)
{
    if (m_file.write(bytes) != bytes.size() || !m_file.flush()) {
        if (error)
            *error = m_file.errorString();
        // A full disk can take part of a line: cut it off, so that every line
        // in the file is whole. By name, once closed: the open QFile keeps the
        // failed write's error and may skip the truncation.
        m_file.close();
        QFile::resize(m_file.fileName(), m_goodSize);
        return false;
    }
    m_goodSize += bytes.size();
    return true;
}

} // namespace poll
