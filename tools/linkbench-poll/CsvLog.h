#pragma once

#include "diagnosis/ExchangeRecord.h"

#include <QFile>
#include <QString>
#include <QStringList>

// The CSV file of a run (diagnosis/ExchangeCsv.h), one line per exchange
// written and flushed as it ends.
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
    // The same for a line of fields given as they are.
    bool writeFields(const QStringList& fields, QString* error);
    bool isOpen() const { return m_file.isOpen(); }
    void close() { m_file.close(); }

private:
    bool put(const QByteArray& bytes, QString* error);

    QFile m_file;
    qint64 m_goodSize = 0; // bytes of whole lines written
};

} // namespace poll
