#pragma once

#include "catalogue/LineLists.h"
#include "diagnosis/DiagnosisTarget.h"

#include <QList>
#include <QString>

namespace diagnosis {

// What a diagnosis run does: which targets, round-robin, how often, for how long.
struct RunPlan
{
    QString port = catalogue::defaultPortEntry(); // "COM1".."COM8" or a device path
    QString settings = catalogue::defaultLineSettings();
    QList<Target> targets;
    int intervalMs = 0;   // from send to send; 0: back to back
    int timeoutMs = 3000; // from the flushed send to the reply's end
    int gapMs = -1; // quiet time after an exchange before the next send; -1: kDefaultGapCharacters
    qint64 count = 0;       // exchanges in all; 0: no limit
    qint64 durationMs = 0;  // no send starts later than this after the first; 0: no limit
    bool checkField = true; // judge the reply's check field
};

// The default quiet gap, in character times at the line speed.
inline constexpr int kDefaultGapCharacters = 3;
inline constexpr int kBitsPerCharacter = 11;

// `characters` at 11 bits each at `baud` bit/s, in microseconds.
qint64 wireTimeUs(qsizetype characters, int baud);

// The plan's quiet gap in microseconds at `baud`.
qint64 gapUs(const RunPlan& plan, int baud);

} // namespace diagnosis
