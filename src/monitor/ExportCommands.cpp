#include "monitor/ExportCommands.h"

#include "monitor/ExchangeCsv.h"
#include "monitor/MonitorPages.h"
#include "monitor/MonitorTexts.h"
#include "monitor/MonitorWarning.h"
#include "monitor/ReportWriter.h"
#include "platform/LatencyTimer.h"

namespace texts = monitor_texts;

ExportCommands::ExportCommands(QWidget* owner, MonitorPages& pages,
                               std::function<MonitorSetup()> setup, PlatformServices services)
    : QObject(owner), m_owner(owner), m_pages(pages), m_setup(std::move(setup)),
      m_services(std::move(services))
{
}

QString ExportCommands::choosePath(const QString& title, const QString& filter) const
{
    SaveDialogRequest request;
    request.nameFilters = {filter};
    request.title = title;
    return m_services.saveDialog(m_owner, request);
}

void ExportCommands::chooseCsv()
{
    const QString path = choosePath(texts::ExportCsv, texts::CsvFilter);
    if (!path.isEmpty())
        exportCsv(path);
}

void ExportCommands::choosePdf()
{
    const QString path = choosePath(texts::ExportPdf, texts::PdfFilter);
    if (!path.isEmpty())
        exportPdf(path);
}

bool ExportCommands::exportCsv(const QString& path)
{
    m_pages.frames().flush();
    QString error;
    if (!monitor::writeFramesCsv(m_pages.frames(), path, &error)) {
        m_services.messageBox(m_owner, monitorWarning(texts::ExportFailed.arg(path, error)));
        return false;
    }
    return true;
}

bool ExportCommands::exportPdf(const QString& path)
{
    RunReport report;
    report.made = m_services.clock();
    report.setup = monitor::setupLines(m_setup());
    report.latency = latencyTextOfDevice(monitor::deviceOf(m_setup().port));
    m_pages.addToReport(report);
    QString error;
    if (!monitor::writeReportPdf(report, path, &error)) {
        m_services.messageBox(m_owner, monitorWarning(texts::ExportFailed.arg(path, error)));
        return false;
    }
    return true;
}
