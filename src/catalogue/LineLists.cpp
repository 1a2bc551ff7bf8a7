#include "catalogue/LineLists.h"

namespace catalogue {

namespace {

QStringList numbered(int first, int last, int width)
{
    QStringList list;
    for (int i = first; i <= last; ++i)
        list << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return list;
}

} // namespace

const QStringList& portEntries()
{
    static const QStringList entries = [] {
        QStringList list;
        for (int i = 1; i <= 8; ++i)
            list << QStringLiteral("COM%1").arg(i);
        return list;
    }();
    return entries;
}

const QStringList& lineSettingEntries()
{
    // The last speed really is 56000, not 57600.
    static const QStringList entries = {
        QStringLiteral("1200,n,8,2"),  QStringLiteral("2400,n,8,2"),  QStringLiteral("4800,n,8,2"),
        QStringLiteral("9600,n,8,2"),  QStringLiteral("19200,n,8,2"), QStringLiteral("38400,n,8,2"),
        QStringLiteral("56000,n,8,2"),
    };
    return entries;
}

const QStringList& addressEntries()
{
    static const QStringList entries = numbered(1, 11, 3);
    return entries;
}

const QStringList& channelEntries()
{
    static const QStringList entries = numbered(0, 64, 2) << QStringLiteral("90");
    return entries;
}

} // namespace catalogue
