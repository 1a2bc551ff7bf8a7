#include "monitor/StatisticsView.h"

#include "monitor/MonitorTexts.h"
#include "monitor/ReportWriter.h"
#include "monitor/StatisticsModel.h"

#include <QHeaderView>

StatisticsView::StatisticsView(StatisticsModel& model, QWidget* parent)
    : PageTable(&model, parent), m_model(model)
{
    // A row per target: few enough rows for the columns to follow their contents.
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

QString StatisticsView::title() const
{
    return monitor_texts::PageStatistics;
}

QKeySequence StatisticsView::shortcut() const
{
    return QKeySequence(Qt::CTRL | Qt::Key_1);
}

void StatisticsView::startRun(const diagnosis::RunPlan& plan)
{
    m_model.startRun(plan.targets, plan.timeoutMs);
}

void StatisticsView::addTarget(const diagnosis::Target& target)
{
    m_model.addTarget(target);
}

void StatisticsView::takeExchange(const diagnosis::ExchangeRecord& record, bool fromScan)
{
    if (!fromScan)
        m_model.noteExchange(record);
}

void StatisticsView::redraw(const PageRedraw& redraw)
{
    if (redraw.inView && redraw.changed)
        m_model.refresh(*redraw.statistics, redraw.listener);
}

void StatisticsView::addToReport(RunReport& report, const PageRedraw& redraw)
{
    m_model.refresh(*redraw.statistics, redraw.listener);
    report.summary = m_model.tableTexts();
}
