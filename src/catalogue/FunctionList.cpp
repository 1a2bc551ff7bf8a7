#include "catalogue/FunctionList.h"

#include "protocol/ControlChars.h"

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

QChar functionCharAt(int position)
{
    static constexpr char16_t codes[] = {ctl::DC1, ctl::DC2, ctl::DC3, ctl::DC4};
    if (position < 0 || position >= 4)
        return {};
    return QChar(codes[position]);
}

} // namespace catalogue
