#include "catalogue/AddressRanges.h"

#include <QStringList>
#include <algorithm>

namespace {

std::optional<int> parseOne(const QString& text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (!ok || number < 1 || number > 255)
        return std::nullopt;
    return number;
}

} // namespace

std::optional<QList<int>> parseAddressRanges(const QString& text)
{
    QList<int> addresses;
    bool seen[256] = {};
    const QStringList items = text.split(u',');
    for (const QString& item : items) {
        const QStringList ends = item.split(u'-');
        if (ends.size() > 2)
            return std::nullopt;
        const std::optional<int> first = parseOne(ends.front());
        const std::optional<int> last = parseOne(ends.back());
        if (!first || !last || *last < *first)
            return std::nullopt;
        for (int address = *first; address <= *last; ++address) {
            if (!seen[address]) {
                seen[address] = true;
                addresses << address;
            }
        }
    }
    return addresses;
}

std::optional<QList<int>> parseAscendingAddresses(const QString& text)
{
    std::optional<QList<int>> list = parseAddressRanges(text);
    if (list)
        std::sort(list->begin(), list->end());
    return list;
}

QString addressRangesText(const QList<int>& addresses)
{
    QStringList items;
    qsizetype i = 0;
    while (i < addresses.size()) {
        qsizetype j = i;
        while (j + 1 < addresses.size() && addresses[j + 1] == addresses[j] + 1)
            ++j;
        items << (j == i ? QString::number(addresses[i])
                         : QStringLiteral("%1-%2").arg(addresses[i]).arg(addresses[j]));
        i = j + 1;
    }
    return items.join(u',');
}
