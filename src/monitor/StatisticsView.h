#pragma once

#include "monitor/MonitorPage.h"
#include "monitor/PageTable.h"

class StatisticsModel;

// The 统计 page: the table of counts and response times, one row per target.
class StatisticsView : public PageTable, public MonitorPage
{
    Q_OBJECT
public:
    explicit StatisticsView(StatisticsModel& model, QWidget* parent = nullptr);

    QString title() const override;
    QKeySequence shortcut() const override;
    QWidget* widget() override { return this; }
    void startRun(const diagnosis::RunPlan& plan) override;
    void addTarget(const diagnosis::Target& target) override;
    void takeExchange(const diagnosis::ExchangeRecord& record, bool fromScan) override;
    void redraw(const PageRedraw& redraw) override;
    void addToReport(RunReport& report, const PageRedraw& redraw) override;

private:
    StatisticsModel& m_model;
};
