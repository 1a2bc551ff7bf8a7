#pragma once

#include "diagnosis/ResponseStatistics.h"
#include "monitor/MonitorPage.h"

#include <QStringList>
#include <QWidget>

class QAreaSeries;
class QChart;
class QChartView;
class QComboBox;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

// The 响应时间 page: a histogram of response times on a logarithmic time
// axis, for one target or all together, with the time-out marked by a
// vertical line. The bars are one stepped area series, refilled with one
// replace() per redraw. The chart is made when it is first drawn: Qt Charts
// adds a tenth to the window's start-up otherwise.
class HistogramView : public QWidget, public MonitorPage
{
    Q_OBJECT
public:
    static constexpr int kBarsPerDecade = 10;

    explicit HistogramView(QWidget* parent = nullptr);

    QString title() const override;
    QKeySequence shortcut() const override;
    QWidget* widget() override { return this; }
    void startRun(const diagnosis::RunPlan& plan) override;
    void addTarget(const diagnosis::Target& target) override;
    void redraw(const PageRedraw& redraw) override;
    void addToReport(RunReport& report, const PageRedraw& redraw) override;

    void setTargets(const QStringList& labels, int timeoutMs);
    // Draws the histogram of the target chosen in the list ("全部目标": overall).
    void draw(const diagnosis::RunStatistics& statistics);

    QComboBox* targetBox() const { return m_target; }

    // The outline of bars on a time axis that cannot hold zero: each bar from
    // its lower to its upper edge at its count, bars below `floorMs` left out.
    static QList<QPointF> stepOutline(const QList<diagnosis::HistogramBucket>& buckets,
                                      double floorMs);

private:
    void makeChart();
    void showTimeout();

    QComboBox* m_target = nullptr;
    QChartView* m_view = nullptr;
    QChart* m_chart = nullptr;
    QLogValueAxis* m_time = nullptr;
    QValueAxis* m_counts = nullptr;
    QLineSeries* m_bars = nullptr;
    QAreaSeries* m_area = nullptr;
    QLineSeries* m_timeoutLine = nullptr;
    int m_timeoutMs = 3000;
};
