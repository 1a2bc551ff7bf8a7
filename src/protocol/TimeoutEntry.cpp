#include "protocol/TimeoutEntry.h"

#include "protocol/EntryTexts.h"

std::optional<TranscriptEntry> timeoutEntry(const ModuleVars& vars, int functionIndex,
                                            const QString& parameterText)
{
    const QString sent = ctl::LineEnd + entry_texts::Sent + vars.SentFrame;
    switch (functionIndex) {
    case 0:
        return TranscriptEntry{entry_texts::ReadValueHeader + vars.StampText + sent +
                               entry_texts::ArrowSpaced + entry_texts::Timeout};
    case 1:
        return TranscriptEntry{entry_texts::ReadParamHeader + parameterText +
                               entry_texts::HeaderClose + vars.StampText + sent +
                               entry_texts::ArrowSpaced + entry_texts::Timeout};
    case 2:
        return TranscriptEntry{entry_texts::WriteTimeoutHeader + parameterText +
                               entry_texts::HeaderClose + vars.StampText + sent +
                               entry_texts::ArrowTight + entry_texts::Timeout};
    case 3:
        // A concentrator time-out is reported too, in the concentrator entry's words.
        return TranscriptEntry{entry_texts::HbxHeader + parameterText + entry_texts::HeaderClose +
                               vars.StampText + sent + entry_texts::ArrowSpaced +
                               entry_texts::Timeout};
    default:
        return std::nullopt;
    }
}
