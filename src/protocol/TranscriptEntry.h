#pragma once

#include "wire/ControlChars.h"

#include <QString>

// One entry for the transcript, with the separator its writer puts between it
// and older text when the transcript is not empty.
struct TranscriptEntry
{
    QString text;
    QString separator = ctl::LineEnd + ctl::LineEnd;

    bool operator==(const TranscriptEntry&) const = default;
};
