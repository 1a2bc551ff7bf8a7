#pragma once

#include "protocol/ModuleVars.h"
#include "protocol/TranscriptEntry.h"

#include <optional>

// How long the reply timer waits, from the send, for a complete answer.
inline constexpr int kReplyTimeoutMs = 3000;

// The entry the reply timer writes when no complete answer came in time, by the
// function selection current at the tick (0..3; anything else gives none).
std::optional<TranscriptEntry> timeoutEntry(const ModuleVars& vars, int functionIndex,
                                            const QString& parameterText);
