#pragma once

#include "monitor/MonitorPage.h"

#include <QStringList>
#include <QWidget>

class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class TrendBuffer;

// The 趋势 page: the values of the replies over time, one line per target,
// time-outs marked along the time axis. It draws what a TrendBuffer holds,
// each series refilled with one replace() when its points changed. The chart
// is made when it is first drawn, as the histogram's is.
class TrendView : public QWidget, public MonitorPage
{
    Q_OBJECT
public:
    explicit TrendView(TrendBuffer& buffer, QWidget* parent = nullptr);

    QString title() const override;
    QKeySequence shortcut() const override;
    QWidget* widget() override { return this; }
    void startRun(const diagnosis::RunPlan& plan) override;
    void addTarget(const diagnosis::Target& target) override;
    void takeExchange(const diagnosis::ExchangeRecord& record, bool fromScan) override;
    // In view, the time axis moves on during a run even without new values.
    void redraw(const PageRedraw& redraw) override;
    void addToReport(RunReport& report, const PageRedraw& redraw) override;
    void saveSettings(QSettings& settings) const override;
    void restoreSettings(QSettings& settings) override;

    void setTargets(const QStringList& labels);
    // Prunes the buffer to the span ending at `nowMs` and draws what changed.
    void draw(qint64 nowMs);

    QComboBox* spanBox() const { return m_span; }

private:
    void makeChart();
    void makeLines();
    void placeTimeoutMarks();

    TrendBuffer& m_buffer;
    QStringList m_labels;
    QComboBox* m_span = nullptr;
    QChartView* m_view = nullptr;
    QChart* m_chart = nullptr;
    QDateTimeAxis* m_time = nullptr;
    QValueAxis* m_values = nullptr;
    QList<QLineSeries*> m_lines;
    QScatterSeries* m_timeouts = nullptr;
    double m_bottom = 0;
};
