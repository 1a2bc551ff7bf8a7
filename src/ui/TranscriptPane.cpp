#include "ui/TranscriptPane.h"

#include <QTextCursor>

TranscriptPane::TranscriptPane(Transcript& transcript, QWidget* parent)
    : QPlainTextEdit(parent), m_transcript(transcript)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    // Without undo the document keeps no copy of what each insertion replaced,
    // so a long transcript costs no more memory than its text.
    setUndoRedoEnabled(false);
}

void TranscriptPane::putOnTop(const TranscriptEntry& entry)
{
    const bool wasEmpty = m_transcript.isEmpty();
    m_transcript.insert(entry.text, entry.separator);
    // Only the new entry is inserted at the document's start, so the cost of an
    // entry does not grow with the transcript. A text cursor takes CR LF as one
    // line break, which is how the pane shows the model's line ends.
    // The edit block keeps the cursor from laying out the block it lands in,
    // a layout Qt would otherwise keep in memory for every entry ever inserted.
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    cursor.beginEditBlock();
    cursor.insertText(wasEmpty ? entry.text : entry.text + entry.separator);
    cursor.endEditBlock();
}

void TranscriptPane::clearTranscript()
{
    m_transcript.clear();
    clear();
}
