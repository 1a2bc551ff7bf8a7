#pragma once

#include <QList>
#include <QString>
#include <optional>

// Instrument addresses typed as a list of numbers and ranges, "1-11,15".
namespace monitor {

// The addresses in the order typed, each once; nothing when an item is not a
// whole number from 1 to 255, a range runs backwards, or the text is empty.
std::optional<QList<int>> parseAddressRanges(const QString& text);

// The shortest text that reads back to the same addresses: "1-11,15".
QString addressRangesText(const QList<int>& addresses);

} // namespace monitor
