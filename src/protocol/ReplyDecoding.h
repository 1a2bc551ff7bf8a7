#pragma once

#include "protocol/ModuleVars.h"
#include "protocol/ReplyReception.h"
#include "protocol/TranscriptEntry.h"

#include <optional>

// Turns a complete reply in RecvBuf into a transcript entry. The function
// selection current at that moment chooses the layout, not FuncCode.

// Sets WorkOut to "校验和:" and the reply's check field: the five characters
// before its last one (the first five of the last six, or of the whole text).
void JieXi0(ModuleVars& vars);

// Rewrites RecvBuf for a concentrator reply: the header through the first RS on
// a line of its own, then every further field through its RS; what follows the
// last RS is dropped. A reply without RS becomes a lone line end.
void layOutHbxReply(ModuleVars& vars);

// Builds the entry for `functionIndex` (0..3; anything else gives none).
// `transcriptEmpty` chooses the arrow " → 接收:" (empty) or " →接收:" (not empty).
std::optional<TranscriptEntry> JieXi(ModuleVars& vars, int functionIndex,
                                     const QString& parameterText, bool transcriptEmpty);

// The two-line entry for an acknowledged or refused write.
std::optional<TranscriptEntry> acknowledgementEntry(const ModuleVars& vars,
                                                    const QString& parameterText,
                                                    reception::Verdict verdict);
