#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The bytes of a saved transcript file.
struct TranscriptFileContent
{
    QByteArray bytes;
    // Characters that GBK cannot hold (a stray received byte such as 0xC0
    // shows as U+00C0, 0xAD as the soft hyphen U+00AD), each written as one
    // "?" like the system's code page does.
    qsizetype substituted = 0;
};

// The transcript text followed by one CR LF, in GBK (code page 936). Null
// when the system offers no GBK encoder.
std::optional<TranscriptFileContent> transcriptFileContent(const QString& transcriptText);
