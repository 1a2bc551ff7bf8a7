#include "monitor/TrendView.h"

#include "monitor/MonitorTexts.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace texts = monitortexts;

namespace {
constexpr qint64 kSpansMs[] = {60 * 1000, 10 * 60 * 1000, 60 * 60 * 1000};
constexpr int kDefaultSpan = 1; // ten minutes
} // namespace

TrendView::TrendView(QWidget* parent) : QWidget(parent), m_buffer(kSpansMs[kDefaultSpan])
{
    m_span = new QComboBox(this);
    m_span->addItems(texts::TrendSpans);
    m_span->setCurrentIndex(kDefaultSpan);

    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_time = new QDateTimeAxis;
    m_time->setFormat(QStringLiteral("HH:mm:ss"));
    m_time->setTitleText(texts::TrendTimeAxis);
    m_values = new QValueAxis;
    m_values->setTitleText(texts::TrendValueAxis);
    m_chart->addAxis(m_time, Qt::AlignBottom);
    m_chart->addAxis(m_values, Qt::AlignLeft);

    m_timeouts = new QScatterSeries;
    m_timeouts->setName(texts::TrendTimeouts);
    m_timeouts->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    m_timeouts->setMarkerSize(7);
    m_chart->addSeries(m_timeouts);
    m_timeouts->attachAxis(m_time);
    m_timeouts->attachAxis(m_values);

    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(texts::TrendSpanLabel, this));
    top->addWidget(m_span);
    top->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(m_view, 1);

    connect(m_span, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < int(std::size(kSpansMs)))
            m_buffer.setSpan(kSpansMs[index]);
        redraw(QDateTime::currentMSecsSinceEpoch());
    });
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    m_time->setRange(QDateTime::fromMSecsSinceEpoch(now - m_buffer.span()),
                     QDateTime::fromMSecsSinceEpoch(now));
    m_values->setRange(0, 1);
}

void TrendView::setTargets(const QStringList& labels)
{
    for (QLineSeries* line : std::as_const(m_lines)) {
        m_chart->removeSeries(line);
        delete line;
    }
    m_lines.clear();
    for (const QString& label : labels) {
        auto* line = new QLineSeries;
        line->setName(label);
        m_chart->addSeries(line);
        line->attachAxis(m_time);
        line->attachAxis(m_values);
        m_lines << line;
    }
    // More than a handful of names would crowd out the chart.
    m_chart->legend()->setVisible(labels.size() <= 12);
    m_buffer.setTargetCount(int(labels.size()));
    m_timeouts->clear();
}

void TrendView::redraw(qint64 nowMs)
{
    m_buffer.prune(nowMs);
    bool changed = false;
    for (int target = 0; target < m_lines.size(); ++target) {
        if (m_buffer.takeChanged(target)) {
            m_lines[target]->replace(m_buffer.points(target));
            changed = true;
        }
    }
    m_time->setRange(QDateTime::fromMSecsSinceEpoch(nowMs - m_buffer.span()),
                     QDateTime::fromMSecsSinceEpoch(nowMs));
    if (changed) {
        double low = std::numeric_limits<double>::max();
        double high = std::numeric_limits<double>::lowest();
        for (QLineSeries* line : std::as_const(m_lines)) {
            for (const QPointF& point : line->points()) {
                low = std::min(low, point.y());
                high = std::max(high, point.y());
            }
        }
        if (low <= high) {
            const double margin =
                std::max((high - low) * 0.1, std::max(std::abs(high) * 0.01, 0.5));
            m_values->setRange(low - margin, high + margin);
            m_values->applyNiceNumbers();
        }
    }
    if (m_buffer.takeTimeoutsChanged() || changed || m_bottom != m_values->min())
        placeTimeoutMarks();
}

// Time-outs carry no value; they sit on the bottom edge, on the time axis.
void TrendView::placeTimeoutMarks()
{
    m_bottom = m_values->min();
    QList<QPointF> marks;
    for (qint64 time : m_buffer.timeouts())
        marks << QPointF(double(time), m_bottom);
    m_timeouts->replace(marks);
}
