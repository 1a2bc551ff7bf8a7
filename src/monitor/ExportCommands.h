#pragma once

#include "monitor/MonitorSetup.h"
#include "widgets/PlatformServices.h"

#include <QObject>
#include <functional>

class MonitorPages;
class QWidget;

// The 文件 menu's exports: the frames as CSV and the run's report as PDF,
// each to a file the operator chooses in the platform's save dialog; a file
// that cannot be written is refused in a box.
class ExportCommands : public QObject
{
    Q_OBJECT
public:
    ExportCommands(QWidget* owner, MonitorPages& pages, std::function<MonitorSetup()> setup,
                   PlatformServices services);

    void chooseCsv();
    void choosePdf();
    // False, after the box, when the file could not be written.
    bool exportCsv(const QString& path);
    bool exportPdf(const QString& path);

private:
    QString choosePath(const QString& title, const QString& filter) const;

    QWidget* m_owner;
    MonitorPages& m_pages;
    std::function<MonitorSetup()> m_setup;
    PlatformServices m_services;
};
