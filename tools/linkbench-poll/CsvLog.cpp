#include "CsvLog.h"

#include "diagnosis/ExchangeCsv.h"

namespace poll {

bool CsvLog::open(const QString& path, QString* error)
{
    m_file.setFileName(path);
    // Unbuffered: each line reaches the system as soon as it is written.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    m_goodSize = 0;
    if (put(diagnosis::exchangeCsvStart(), error))
        return true;
    // A file without its header is of no use to anyone: leave none behind.
    m_file.remove();
    return false;
}

bool CsvLog::write(const diagnosis::ExchangeRecord& record, QString* error)
{
    return put(diagnosis::csvLine(diagnosis::exchangeCsvFields(record)).toUtf8(), error);
}

bool CsvLog::writeFields(const QStringList& fields, QString* error)
{
    return put(diagnosis::csvLine(fields).toUtf8(), error);
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
