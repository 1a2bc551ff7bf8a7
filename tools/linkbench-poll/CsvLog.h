#pragma once

#include "diagnosis/ExchangeRecord.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

// The CSV file of a run (diagnosis/ExchangeCsv.h), one line per exchange
// written and flushed as it ends. A run left on for a night or a weekend goes
// on in a new file at midnight (by the rows' own times) and, with a size
// limit, before a row that would take the file past it: "run.csv", then
// "run-2026-12-08-1.csv", "run-2026-12-08-2.csv", ..., never overwriting a
// file already there. Each file starts with the mark and the header and holds
// whole rows only.
namespace poll {

class CsvLog
{
public:
    // Creates or empties the file and writes the mark and the header; when
    // that fails no file is left behind.
    bool open(const QString& path, QString* error);
    // Writes and flushes one exchange's line; false, with `error` set, when
    // the file could not take it, which closes it with every line in it whole.
    bool write(const diagnosis::ExchangeRecord& record, QString* error);
    // The same for a line of fields given as they are, of a row at `at`.
    bool writeFields(const QStringList& fields, const QDateTime& at, QString* error);
    bool isOpen() const { return m_file.isOpen(); }
    void close() { m_file.close(); }
    // 0: no size limit (the default); midnight always starts a new file.
    void setMaxBytes(qint64 maxBytes) { m_maxBytes = maxBytes; }
    // The file being written now.
    QString currentPath() const { return m_file.fileName(); }

private:
    bool writeLine(const QByteArray& line, const QDateTime& at, QString* error);
    bool startFile(const QString& path, QString* error);
    QString nextPath(const QDate& day) const;
    bool put(const QByteArray& bytes, QString* error);

    QFile m_file;
    qint64 m_goodSize = 0; // bytes of whole lines written
    qint64 m_headerSize = 0;
    qint64 m_maxBytes = 0;
    QString m_firstPath;
    QDate m_day; // of the rows in the file; unset until its first row
};

} // namespace poll
