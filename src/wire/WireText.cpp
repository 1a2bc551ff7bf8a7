#include "wire/WireText.h"

#include "wire/ControlChars.h"

namespace wire {

namespace {

struct NamedControl
{
    char16_t code;
    const char16_t* name;
};

constexpr NamedControl kNames[] = {
    {ctl::STX, u"STX"}, {ctl::ETX, u"ETX"}, {ctl::ACK, u"ACK"}, {ctl::DC1, u"DC1"},
    {ctl::DC2, u"DC2"}, {ctl::DC3, u"DC3"}, {ctl::DC4, u"DC4"}, {ctl::NAK, u"NAK"},
    {ctl::ETB, u"ETB"}, {ctl::RS, u"RS"},   {ctl::US, u"US"},
};

// "7F" as the byte 0x7F, or -1.
int hexByte(QStringView text)
{
    bool ok = false;
    const int value = text.size() == 2 ? text.toInt(&ok, 16) : -1;
    return ok && text == text.toString().toUpper() ? value : -1;
}

} // namespace

QString controlName(char16_t code)
{
    for (const NamedControl& named : kNames) {
        if (named.code == code)
            return QString::fromUtf16(named.name);
    }
    return {};
}

char16_t controlCode(QStringView name)
{
    for (const NamedControl& named : kNames) {
        if (name == QStringView(named.name))
            return named.code;
    }
    return 0;
}

QString namedBytes(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size() + 16);
    for (const char c : bytes) {
        if (c >= 0x20 && c <= 0x7e) {
            text += QLatin1Char(c);
            continue;
        }
        QString name = controlName(uchar(c));
        if (name.isEmpty())
            name = QStringLiteral("%1").arg(uint(uchar(c)), 2, 16, QLatin1Char('0')).toUpper();
        text += u'<' + name + u'>';
    }
    return text;
}

QByteArray bytesFromNamed(QStringView text)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype close = text.indexOf(u'>', i);
        if (text[i] == u'<' && close > i) {
            const QStringView name = text.sliced(i + 1, close - i - 1);
            const char16_t code = controlCode(name);
            const int hex = code ? -1 : hexByte(name);
            if (code || hex >= 0) {
                bytes += char(code ? code : hex);
                i = close;
                continue;
            }
        }
        const char16_t c = text[i].unicode();
        bytes += c <= 0xff ? char(c) : '?';
    }
    return bytes;
}

} // namespace wire
