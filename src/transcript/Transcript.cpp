#include "transcript/Transcript.h"

void Transcript::insert(const QString& entry, const QString& separator)
{
    Stored stored{entry, isEmpty() ? QString() : separator};
    m_length += stored.entry.size() + stored.separatorBelow.size();
    m_entries.push_back(std::move(stored));
}

void Transcript::clear()
{
    m_entries.clear();
    m_length = 0;
}

QString Transcript::text() const
{
    QString text;
    text.reserve(m_length);
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        text += it->entry;
        text += it->separatorBelow;
    }
    return text;
}
