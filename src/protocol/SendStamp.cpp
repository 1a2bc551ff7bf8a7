#include "protocol/SendStamp.h"

#include "protocol/EntryTexts.h"

QString sendStamp(const QDateTime& now)
{
    return entry_texts::StampPrefix + now.toString(QStringLiteral("yyyy-M-d H:mm:ss"));
}
