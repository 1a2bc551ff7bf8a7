#pragma once

#include <QString>
#include <deque>

// The record of every exchange, newest entry first, as the exact CR LF text
// that saving and printing read. Entries are kept oldest first internally so
// that putting one on top costs the same whatever the transcript's length;
// the text is assembled only when it is read.
class Transcript
{
public:
    // Puts `entry` on top. When the transcript already holds text, `separator`
    // (normally two line ends) stands between the entry and the older text.
    void insert(const QString& entry, const QString& separator);

    void clear();
    bool isEmpty() const { return m_length == 0; }
    qsizetype length() const { return m_length; }
    qsizetype entryCount() const { return qsizetype(m_entries.size()); }

    // The whole text, newest entry first.
    QString text() const;

private:
    struct Stored
    {
        QString entry;
        QString separatorBelow; // empty when the transcript was empty at insertion
    };
    std::deque<Stored> m_entries; // oldest first; a deque never moves old entries when it grows
    qsizetype m_length = 0;
};
