#include "protocol/ReplyDecoding.h"

#include "protocol/ControlChars.h"
#include "protocol/EntryTexts.h"

void JieXi0(ModuleVars& vars)
{
    vars.WorkOut = texts::CheckPrefix + vars.RecvBuf.right(6).left(5);
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

    const QString& arrow = transcriptEmpty ? texts::ArrowSpaced : texts::ArrowHalfSpaced;
    const QString line2 = texts::Sent + vars.SentFrame + arrow + vars.RecvBuf;
    const QString& stamp = vars.StampText;
    switch (functionIndex) {
    case 0:
        return TranscriptEntry{texts::ReadValueHeader + vars.WorkOut + stamp + ctl::LineEnd +
                               line2};
    case 1:
        return TranscriptEntry{texts::ReadParamHeader + parameterText + texts::HeaderClose + stamp +
                               ctl::LineEnd + line2};
    case 2:
        // A read reply met by a switch to the write function: one line, stamp at both ends.
        return TranscriptEntry{stamp + texts::WritePendingHeader + parameterText +
                                   QStringLiteral(")") + texts::ArrowTight + vars.WorkOut + stamp,
                               ctl::LineEnd};
    default:
        return TranscriptEntry{texts::HbxHeader + parameterText + texts::HeaderClose +
                               vars.WorkOut + stamp + ctl::LineEnd + line2};
    }
}
