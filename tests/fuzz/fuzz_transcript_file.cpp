// The transcript and the bytes of its saved file. The input is cut into
// entries at each pair of zero bytes; each entry is UTF-16 (any code units,
// lone surrogates included), as received bytes, typed text and the program's
// own Chinese all end up in the transcript.
//
// Properties: the transcript's text is its entries newest first with their
// separators; the file is that text and one CR LF in GBK, where no character
// is lost or added: decoded, it holds exactly as many characters as the text,
// every ASCII character in its place, and one "?" more than the text for
// each character counted as substituted.
#include "FuzzCheck.h"
#include "transcript/Transcript.h"
#include "transcript/TranscriptEncoding.h"

#include <QList>
#include <QStringDecoder>

namespace {

// Characters as the encoder takes them: a surrogate pair is one, a lone
// surrogate one too.
QList<char32_t> characters(const QString& text)
{
    QList<char32_t> list;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            list << QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else {
            list << text[i].unicode();
        }
    }
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Transcript transcript;
    QString expected;
    const QString separator = QStringLiteral("\r\n\r\n");
    QString entry;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = char16_t(data[i] | (data[i + 1] << 8));
        if (unit != 0) {
            entry += QChar(unit);
            continue;
        }
        expected = transcript.isEmpty() ? entry : entry + separator + expected;
        transcript.insert(entry, separator);
        entry.clear();
    }
    FUZZ_CHECK(transcript.text() == expected);
    FUZZ_CHECK(transcript.length() == expected.size());

    const std::optional<TranscriptFileContent> content = transcriptFileContent(expected);
    FUZZ_CHECK(content.has_value());
    FUZZ_CHECK(content->bytes.endsWith("\r\n"));
    const QString written = expected + QStringLiteral("\r\n");
    const QString read = QStringDecoder("GBK").decode(content->bytes);
    const QList<char32_t> before = characters(written);
    const QList<char32_t> after = characters(read);
    FUZZ_CHECK(after.size() == before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] < 0x80)
            FUZZ_CHECK(after[i] == before[i]);
    }
    FUZZ_CHECK(read.count(u'?') == written.count(u'?') + content->substituted);
    return 0;
}
