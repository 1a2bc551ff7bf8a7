#pragma once

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The one-page report of a run: the set-up, the summary table, the histogram
// and the trend pictures, printed to a PDF file by Qt's own PDF printer.
struct RunReport
{
    QDateTime made;
    QList<QPair<QString, QString>> setup; // label, value
    QString latency;            // the adapter's latency timer and how to set it; empty when none
    QList<QStringList> summary; // header row first
    QImage histogram;
    QImage trend;
};

namespace monitor {

// False with `error` set when the file cannot be written.
bool writeReportPdf(const RunReport& report, const QString& path, QString* error);

} // namespace monitor
