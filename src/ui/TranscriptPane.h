#pragma once

#include "protocol/TranscriptEntry.h"
#include "transcript/Transcript.h"

#include <QPlainTextEdit>

// The pane REC1: shows the transcript newest entry on top. The exact CR LF text
// lives in the Transcript model (a text widget turns CR LF into paragraph
// breaks and cannot give it back); the pane only mirrors it for the operator,
// who may select and copy but not type.
class TranscriptPane : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TranscriptPane(Transcript& transcript, QWidget* parent = nullptr);

    // Puts `entry` on top of the transcript and of the pane.
    void putOnTop(const TranscriptEntry& entry);
    // Empties the transcript and the pane.
    void clearTranscript();

    bool isTranscriptEmpty() const { return m_transcript.isEmpty(); }

private:
    Transcript& m_transcript;
};
