#include "WireText.h"

#include <algorithm>
#include <iterator>

#include "wire/WireText.h"

namespace {

// The transcript's line ends have names in tests only: the line never names them.
struct LineEndName
{
    QChar c;
    QString name;
};
const LineEndName kLineEnds[] = {{u'\r', QStringLiteral("<CR>")}, {u'\n', QStringLiteral("<LF>")}};

} // namespace

QString wireText(const QString& text)
{
    QString characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype close = text.indexOf(u'>', i);
        const QString tag = close > i ? text.mid(i, close - i + 1) : QString();
        const char16_t code =
            tag.size() > 2 ? wire::controlCode(QStringView(tag).sliced(1, tag.size() - 2)) : 0;
        const auto lineEnd = std::find_if(std::begin(kLineEnds), std::end(kLineEnds),
                                          [&](const LineEndName& n) { return n.name == tag; });
        if (text[i] == u'<' && (code || lineEnd != std::end(kLineEnds))) {
            characters.append(code ? QChar(code) : lineEnd->c);
            i = close;
        } else {
            characters.append(text[i]);
        }
    }
    return characters;
}

QByteArray onWire(const QString& text)
{
    return wireText(text).toLatin1();
}

QString visible(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        const QString name = wire::controlName(c.unicode());
        const auto lineEnd = std::find_if(std::begin(kLineEnds), std::end(kLineEnds),
                                          [&](const LineEndName& n) { return n.c == c; });
        if (!name.isEmpty())
            shown += u'<' + name + u'>';
        else if (lineEnd != std::end(kLineEnds))
            shown += lineEnd->name;
        else
            shown += c;
    }
    return shown;
}
