#pragma once

#include "monitor/MonitorPage.h"
#include "monitor/PageTable.h"

class FramesModel;

// The 报文 page: every exchange of runs and scans, newest first, and the
// port's comings and goings.
class FramesView : public PageTable, public MonitorPage
{
    Q_OBJECT
public:
    explicit FramesView(FramesModel& model, QWidget* parent = nullptr);

    QString title() const override;
    QKeySequence shortcut() const override;
    QWidget* widget() override { return this; }
    void takeExchange(const diagnosis::ExchangeRecord& record, bool fromScan) override;
    // Shows what was queued whether in view or not, so that the queue stays short.
    void redraw(const PageRedraw& redraw) override;

private:
    FramesModel& m_model;
};
