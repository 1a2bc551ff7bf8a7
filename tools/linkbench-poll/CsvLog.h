#pragma once

#include "diagnosis/ExchangeRecord.h"

#include <QFile>
#include <QString>
#include <QStringList>

// The CSV file of a run: UTF-8 with a byte-order mark (so that spreadsheet
// programs read the Chinese right), one header line, one line per exchange
// written and flushed as it ends, fields quoted as RFC 4180 has it, CR LF
// line ends. Qt has no CSV writer, and the quoting rule is four lines.
namespace poll {

// A field as it goes into the file: in double quotes, with its quotes
// doubled, when it holds a comma, a quote, a CR or a LF; as it is otherwise.
QString csvField(const QString& text);

// One line of fields, CR LF at its end.
QString csvLine(const QStringList& fields);

// The fields of one exchange, in the header's order.
QStringList exchangeFields(const diagnosis::ExchangeRecord& record);

class CsvLog
{
public:
    // Creates or empties the file and writes the mark and the header; when
    // that fails no file is left behind.
    bool open(const QString& path, QString* error);
    // Writes and flushes one exchange's line; false, with `error` set, when
    // the file could not take it, which closes it with every line in it whole.
    bool write(const diagnosis::ExchangeRecord& record, QString* error);
    bool isOpen() const { return m_file.isOpen(); }
    void close() { m_file.close(); }

private:
    bool put(const QByteArray& bytes, QString* error);

    QFile m_file;
    qint64 m_goodSize = 0; // bytes of whole lines written
};

} // namespace poll
