#pragma once

#include <QStringList>

// The four command types of the function list, in list order: the position of
// an entry is its code, and wire::functionAt() names its function.
namespace catalogue {

const QStringList& functionEntries();

} // namespace catalogue
