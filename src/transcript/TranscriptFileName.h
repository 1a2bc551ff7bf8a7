#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The name the save dialog proposes: "LV", characters 6-7 and 9-10 of the
// date written mm-dd-yyyy (the second "-", then the year's first digit and
// its last two), the hours and minutes, ".txt". 6 Dec 2026 at 00:28 gives
// "LV-2260028.txt"; month, day and seconds never appear.
QString proposedTranscriptFileName(const QDateTime& now);

// Turns a "description|pattern|description|pattern" filter text into Qt's
// name filters, one per pair, in the same order ("文本文件(*.txt)").
QStringList nameFiltersFromFilterText(const QString& filterText);
