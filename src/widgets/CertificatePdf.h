#pragma once

#include "diagnosis/TestRecord.h"

#include <QString>

// The certificate of a unit's test: a PDF printed by Qt's own PDF printer. The
// plan, its hash, the tool, the time, the operator, the unit and the line
// first; each step with what it expected, what came and its verdict; the
// overall verdict large; the frames of every step on the last page.
namespace widgets {

// False with `error` set when the file cannot be written.
bool writeCertificatePdf(const diagnosis::TestRecord& record, const QString& path, QString* error);

} // namespace widgets
