#pragma once

#include "protocol/ModuleVars.h"
#include "protocol/TranscriptEntry.h"

// The entry the reply timer writes when no complete answer came in time, by the
// function selection current at the tick (0..3; anything else gives an empty text).
QString timeoutEntry(const ModuleVars& vars, int functionIndex, const QString& parameterText);
