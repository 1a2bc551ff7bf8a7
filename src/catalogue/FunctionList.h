#pragma once

#include <QChar>
#include <QStringList>

// The four command types of the function list, in list order: the position of
// an entry is its code and selects the function character DC1 to DC4.
namespace catalogue {

const QStringList& functionEntries();

// DC1..DC4 for positions 0..3, a null QChar for any other position.
QChar functionCharAt(int position);

} // namespace catalogue
