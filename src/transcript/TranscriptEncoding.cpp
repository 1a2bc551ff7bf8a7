#include "transcript/TranscriptEncoding.h"

#include "platform/GbkCodePage.h"

#include <QHash>

namespace {

// What GBK makes of one character; empty when it cannot hold it.
class GbkCharacters
{
public:
    QByteArray bytesFor(QStringView character)
    {
        const char32_t code = character.size() == 2
                                  ? QChar::surrogateToUcs4(character[0], character[1])
                                  : char32_t(character[0].unicode());
        auto known = m_known.constFind(code);
        if (known == m_known.constEnd())
            known = m_known.insert(code, gbkBytes(character));
        return *known;
    }

private:
    // A transcript repeats a few dozen characters; each is asked of the
    // system once.
    QHash<char32_t, QByteArray> m_known;
};

qsizetype characterWidth(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

std::optional<TranscriptFileContent> transcriptFileContent(const QString& transcriptText)
{
    if (!gbkAvailable())
        return std::nullopt;
    GbkCharacters gbk;

    const QString text = transcriptText + QStringLiteral("\r\n");
    TranscriptFileContent content;
    content.bytes.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size();) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) { // GBK holds ASCII as itself
            content.bytes.append(char(unit));
            ++i;
            continue;
        }
        const qsizetype width = characterWidth(text, i);
        const QByteArray bytes = gbk.bytesFor(QStringView(text).mid(i, width));
        if (bytes.isEmpty()) {
            content.bytes.append('?');
            ++content.substituted;
        } else {
            content.bytes.append(bytes);
        }
        i += width;
    }
    return content;
}
