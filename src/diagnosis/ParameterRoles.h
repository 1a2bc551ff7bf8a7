#pragma once

#include <QString>
#include <QStringList>

// What the instrument parameters (codes 01 to 57 of the parameter list) are
// to a parameter set: most configure the instrument; a few only report
// (the totaliser, the batch reads); a few act on the process or the line when
// written (baud rate, address, digital output, set value over the link, the
// programme's start/stop, manual/automatic).
namespace diagnosis {

enum class ParameterRole { Configures, Reads, Acts };

ParameterRole parameterRole(const QString& code);

// The address: a restore never writes it, whatever it is told.
bool isAddressParameter(const QString& code);

// The codes an instrument answers with DC2, "01" to "57".
QStringList instrumentParameterCodes();

// The default set: the configuring codes that the list names.
QStringList defaultParameterCodes();

// The catalogue's text of a code ("12:量程零点"), empty for one not in it.
QString parameterText(const QString& code);

// The name alone ("量程零点"), trailing blanks dropped.
QString parameterName(const QString& code);

} // namespace diagnosis
