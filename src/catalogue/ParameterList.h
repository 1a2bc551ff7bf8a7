#pragma once

#include <QString>
#include <QStringList>

// The parameter-number list: 62 entries "NN:name", codes 01 to 57 then 70 to 74.
// Trailing spaces and empty names are part of the texts and are shown as they are.
namespace catalogue {

const QStringList& parameterEntries();

// Position of the entry whose code is `code` ("11" -> 10), or -1.
int parameterPosition(const QString& code);

// The code of an entry: its first two characters ("11:分读号 " -> "11").
QString parameterCode(const QString& entry);

// Positions the function handler preselects.
inline constexpr int kDefaultParameterPosition = 10; // "11:分读号 "
inline constexpr int kHbxParameterPosition = 60;     // "73:读HBX所挂接仪表瞬时值"

} // namespace catalogue
