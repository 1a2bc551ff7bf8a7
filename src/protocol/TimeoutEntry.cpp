#include "protocol/TimeoutEntry.h"

#include "protocol/EntryTexts.h"

QString timeoutEntry(const ModuleVars& vars, int functionIndex, const QString& parameterText)
{
    const QString sent = ctl::LineEnd + texts::Sent + vars.SentFrame;
    switch (functionIndex) {
    case 0:
        return texts::ReadValueHeader + vars.StampText + sent + texts::ArrowSpaced + texts::Timeout;
    case 1:
        return texts::ReadParamHeader + parameterText + texts::HeaderClose + vars.StampText + sent +
               texts::ArrowSpaced + texts::Timeout;
    case 2:
        return texts::WriteTimeoutHeader + parameterText + texts::HeaderClose + vars.StampText +
               sent + texts::ArrowTight + texts::Timeout;
    case 3:
        // A concentrator time-out is reported too, in the concentrator entry's words.
        return texts::HbxHeader + parameterText + texts::HeaderClose + vars.StampText + sent +
               texts::ArrowSpaced + texts::Timeout;
    default:
        return {};
    }
}
