#pragma once

#include <QList>
#include <QString>
#include <optional>

// Instrument addresses typed as a list of numbers and ranges, "1-11,15", as
// the monitor's set-up, linkbench-poll and linkbench-sim take them.

// The addresses in the order typed, each once; nothing when an item is not a
// whole number from 1 to 255, a range runs backwards, or the text is empty.
std::optional<QList<int>> parseAddressRanges(const QString& text);

// The same addresses in ascending order, as the programs that take them from
// their command line poll and play them.
std::optional<QList<int>> parseAscendingAddresses(const QString& text);

// The shortest text that reads back to the same addresses: "1-11,15".
QString addressRangesText(const QList<int>& addresses);
