#include "CsvLog.h"

#include "protocol/NumericText.h"

namespace poll {

namespace {

const QStringList kHeader = {"time",  "address", "channel", "function",    "param",
                             "frame", "reply",   "outcome", "response_ms", "value"};
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

} // namespace

QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
        !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(u',') + QStringLiteral("\r\n");
}

QStringList exchangeFields(const diagnosis::ExchangeRecord& record)
{
    using diagnosis::Function;
    const diagnosis::Target& t = record.target;
    const bool hbx = t.function == Function::Dc4;
    const QString address = numeric::formatDigits(t.address, hbx ? 2 : 3, 0);
    return {diagnosis::recordStamp(record.sentAt),
            address,
            hbx ? QString() : t.channel,
            diagnosis::functionName(t.function),
            t.function == Function::Dc1 ? QString() : t.param,
            diagnosis::visibleBytes(record.frame),
            diagnosis::visibleBytes(record.reply),
            diagnosis::outcomeName(record.outcome),
            diagnosis::millisecondsText(record.responseUs),
            record.value ? QString::number(*record.value, 'g', 15) : QString()};
}

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
    // Written as bytes: QString::fromUtf8() would drop a leading mark.
    if (put(kByteOrderMark + csvLine(kHeader).toUtf8(), error))
        return true;
    // A file without its header is of no use to anyone: leave none behind.
    m_file.remove();
    return false;
}

bool CsvLog::write(const diagnosis::ExchangeRecord& record, QString* error)
{
    return put(csvLine(exchangeFields(record)).toUtf8(), error);
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
