#pragma once

#include <QMap>
#include <QString>

class QSettings;

// The technician's choice of device for each port entry, kept in the user's
// settings under "ports/COMn". Every LinkBench program reads the same choices:
// each one calls setApplicationIdentity() before it touches QSettings.
QMap<int, QString> loadPortChoices(QSettings& settings);
// Keeps `device` for COMn; an empty device forgets the choice (automatic).
void storePortChoice(QSettings& settings, int portNumber, const QString& device);

// The organisation and application names under which the settings are kept,
// set once at start-up by each program.
void setApplicationIdentity();
