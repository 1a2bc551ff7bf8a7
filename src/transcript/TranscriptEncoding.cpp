#include "transcript/TranscriptEncoding.h"

#include <QStringEncoder>

std::optional<TranscriptFileContent> transcriptFileContent(const QString& transcriptText)
{
    // Debian's Qt finds GBK only through ICU: encodingForName("GBK") is empty,
    // while the encoder constructed by name works.
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return std::nullopt;

    TranscriptFileContent content;
    content.bytes = encoder.encode(transcriptText + QStringLiteral("\r\n"));
    if (encoder.hasError()) {
        // Each character without a GBK form became one "?". A GBK trail byte is
        // never 0x3F, so every "?" byte beyond those of the text is one of them.
        content.substituted = content.bytes.count('?') - transcriptText.count(QLatin1Char('?'));
    }
    return content;
}
