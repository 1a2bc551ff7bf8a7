#include "protocol/ReplyDecoding.h"

#include "protocol/EntryTexts.h"
#include "wire/ControlChars.h"
#include "wire/ReplyFrame.h"

void JieXi0(ModuleVars& vars)
{
    vars.WorkOut = entry_texts::CheckPrefix + wire::shownCheckField(vars.RecvBuf);
}

void layOutHbxReply(ModuleVars& vars)
{
    QString rest = vars.RecvBuf;
    qsizetype p = rest.indexOf(QChar(ctl::RS)) + 1;
    QString out = rest.left(p) + ctl::LineEnd;
    rest.remove(0, p);
    while ((p = rest.indexOf(QChar(ctl::RS)) + 1) > 0) {
        out += rest.left(p);
        rest.remove(0, p);
    }
    vars.RecvBuf = out;
}

std::optional<TranscriptEntry> JieXi(ModuleVars& vars, int functionIndex,
                                     const QString& parameterText, bool transcriptEmpty)
{
    vars.WorkOut.clear();
    if (functionIndex < 0 || functionIndex > 3)
        return std::nullopt;
    if (functionIndex == 0 || functionIndex == 3)
        JieXi0(vars);
    if (functionIndex == 3)
        layOutHbxReply(vars);

    const QString& arrow =
        transcriptEmpty ? entry_texts::ArrowSpaced : entry_texts::ArrowHalfSpaced;
    const QString line2 = entry_texts::Sent + vars.SentFrame + arrow + vars.RecvBuf;
    const QString& stamp = vars.StampText;
    switch (functionIndex) {
    case 0:
        return TranscriptEntry{entry_texts::ReadValueHeader + vars.WorkOut + stamp + ctl::LineEnd +
                               line2};
    case 1:
        return TranscriptEntry{entry_texts::ReadParamHeader + parameterText +
                               entry_texts::HeaderClose + stamp + ctl::LineEnd + line2};
    case 2:
        // A read reply met by a switch to the write function: one line, stamp at both ends.
        return TranscriptEntry{stamp + entry_texts::WritePendingHeader + parameterText +
                                   QStringLiteral(")") + entry_texts::ArrowTight + vars.WorkOut +
                                   stamp,
                               ctl::LineEnd};
    default:
        return TranscriptEntry{entry_texts::HbxHeader + parameterText + entry_texts::HeaderClose +
                               vars.WorkOut + stamp + ctl::LineEnd + line2};
    }
}

std::optional<TranscriptEntry> acknowledgementEntry(const ModuleVars& vars,
                                                    const QString& parameterText,
                                                    reception::Verdict verdict)
{
    return TranscriptEntry{
        entry_texts::WriteAckHeader + parameterText + entry_texts::HeaderClose + vars.StampText +
        ctl::LineEnd + entry_texts::Sent + vars.SentFrame + entry_texts::ArrowTight +
        (verdict == reception::Verdict::Ack ? entry_texts::AckVerdict : entry_texts::NakVerdict)};
}
