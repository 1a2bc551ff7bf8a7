#include "WireText.h"

#include <QHash>

namespace {

const QHash<QString, char>& codes()
{
    static const QHash<QString, char> table = {
        {QStringLiteral("STX"), 0x02}, {QStringLiteral("ETX"), 0x03}, {QStringLiteral("ACK"), 0x06},
        {QStringLiteral("DC1"), 0x11}, {QStringLiteral("DC2"), 0x12}, {QStringLiteral("DC3"), 0x13},
        {QStringLiteral("DC4"), 0x14}, {QStringLiteral("NAK"), 0x15}, {QStringLiteral("ETB"), 0x17},
        {QStringLiteral("RS"), 0x1E},  {QStringLiteral("US"), 0x1F},  {QStringLiteral("CR"), 0x0D},
        {QStringLiteral("LF"), 0x0A},
    };
    return table;
}

} // namespace

QString wireText(const QString& text)
{
    QString characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype close = text.indexOf(u'>', i);
        const QString name = close > i ? text.mid(i + 1, close - i - 1) : QString();
        if (text[i] == u'<' && codes().contains(name)) {
            characters.append(QChar(codes().value(name)));
            i = close;
        } else {
            characters.append(text[i]);
        }
    }
    return characters;
}

QByteArray wire(const QString& text)
{
    return wireText(text).toLatin1();
}

QString visible(const QString& text)
{
    static const QHash<QChar, QString> names = [] {
        QHash<QChar, QString> byCode;
        for (auto it = codes().cbegin(); it != codes().cend(); ++it)
            byCode.insert(QChar(it.value()), QLatin1Char('<') + it.key() + QLatin1Char('>'));
        return byCode;
    }();
    QString shown;
    for (const QChar c : text)
        shown += names.value(c, QString(c));
    return shown;
}
