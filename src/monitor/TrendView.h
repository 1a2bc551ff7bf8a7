#pragma once

#include "monitor/TrendBuffer.h"

#include <QStringList>
#include <QWidget>

class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// The 趋势 page: the values of the replies over time, one line per target,
// time-outs marked along the time axis. It draws what a TrendBuffer holds,
// each series refilled with one replace() when its points changed.
class TrendView : public QWidget
{
    Q_OBJECT
public:
    explicit TrendView(QWidget* parent = nullptr);

    void setTargets(const QStringList& labels);
    TrendBuffer& buffer() { return m_buffer; }
    // Prunes the buffer to the span ending at `nowMs` and redraws what changed.
    void redraw(qint64 nowMs);

    QChart* chart() const { return m_chart; }
    QChartView* chartView() const { return m_view; }
    QComboBox* spanBox() const { return m_span; }
    QList<QLineSeries*> valueSeries() const { return m_lines; }
    QScatterSeries* timeoutSeries() const { return m_timeouts; }

private:
    void placeTimeoutMarks();

    TrendBuffer m_buffer;
    QComboBox* m_span = nullptr;
    QChartView* m_view = nullptr;
    QChart* m_chart = nullptr;
    QDateTimeAxis* m_time = nullptr;
    QValueAxis* m_values = nullptr;
    QList<QLineSeries*> m_lines;
    QScatterSeries* m_timeouts = nullptr;
    double m_bottom = 0;
};
