#include "transcript/TranscriptFileName.h"

QString proposedTranscriptFileName(const QDateTime& now)
{
    const QString dateText = now.date().toString(QStringLiteral("MM-dd-yyyy"));
    const QString timeText = now.time().toString(QStringLiteral("HH:mm:ss"));
    const QString datePart = dateText.mid(5, 2) + dateText.mid(8, 2);
    const QString timePart = timeText.mid(0, 2) + timeText.mid(3, 2);
    return QStringLiteral("LV") + datePart + timePart + QStringLiteral(".txt");
}

QStringList nameFiltersFromFilterText(const QString& filterText)
{
    const QStringList parts = filterText.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        const QString& pattern = parts.at(i + 1);
        // Qt reads the patterns from the parentheses of the description.
        if (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')')))
            filters.append(description);
        else
            filters.append(description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}
