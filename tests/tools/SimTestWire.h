#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// Bytes on the wire written readably in the simulator's tests: control
// characters by name in angle brackets, "<STX>00101+0011.000575<ETB>".
inline QByteArray wire(const QString& text)
{
    static const QHash<QString, char> codes = {
        {QStringLiteral("STX"), 0x02}, {QStringLiteral("ETX"), 0x03}, {QStringLiteral("ACK"), 0x06},
        {QStringLiteral("DC1"), 0x11}, {QStringLiteral("DC2"), 0x12}, {QStringLiteral("DC3"), 0x13},
        {QStringLiteral("DC4"), 0x14}, {QStringLiteral("NAK"), 0x15}, {QStringLiteral("ETB"), 0x17},
        {QStringLiteral("RS"), 0x1E},  {QStringLiteral("US"), 0x1F},
    };
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype close = text.indexOf(u'>', i);
        if (text[i] == u'<' && close > i && codes.contains(text.mid(i + 1, close - i - 1))) {
            bytes.append(codes.value(text.mid(i + 1, close - i - 1)));
            i = close;
        } else {
            bytes.append(char(text[i].unicode()));
        }
    }
    return bytes;
}
