#include "catalogue/FunctionList.h"

namespace catalogue {

const QStringList& functionEntries()
{
    static const QStringList entries = {
        QStringLiteral("读PV(DC1)"),
        QStringLiteral("读参数(DC2)"),
        QStringLiteral("写参数(DC3)"),
        QStringLiteral("读写HBX(DC4)"),
    };
    return entries;
}

} // namespace catalogue
