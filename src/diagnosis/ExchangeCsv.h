#pragma once

#include "diagnosis/ExchangeRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The per-exchange CSV that linkbench-poll writes as a run goes and the monitor
// exports: UTF-8 with a byte-order mark (so that spreadsheet programs read the
// Chinese right), one header line, one line per exchange, fields quoted as
// RFC 4180 has it, CR LF line ends. Qt has no CSV writer, and the quoting rule
// is four lines.
namespace diagnosis {

// The byte-order mark and the header line, as the file starts.
QByteArray exchangeCsvStart();

// Where the header has the address, the function, the channel, the parameter
// and the outcome.
inline constexpr int kCsvAddressColumn = 1;
inline constexpr int kCsvChannelColumn = 2;
inline constexpr int kCsvFunctionColumn = 3;
inline constexpr int kCsvParamColumn = 4;
inline constexpr int kCsvOutcomeColumn = 7;

// The fields of one exchange, in the header's order.
QStringList exchangeCsvFields(const ExchangeRecord& record);

// A field as it goes into the file: in double quotes, with its quotes
// doubled, when it holds a comma, a quote, a CR or a LF; as it is otherwise.
QString csvField(const QString& text);

// One line of fields, CR LF at its end.
QString csvLine(const QStringList& fields);

} // namespace diagnosis
