#include "monitor/HistogramView.h"

#include "diagnosis/DiagnosisTarget.h"
#include "monitor/ChartPicture.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ReportWriter.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace texts = monitor_texts;

namespace {
constexpr double kAxisFloorMs = diagnosis::ResponseStatistics::kLowestMs / 2;
}

HistogramView::HistogramView(QWidget* parent) : QWidget(parent)
{
    m_target = new QComboBox(this);
    m_target->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(texts::ShowLabel, this));
    top->addWidget(m_target);
    top->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    setTargets({}, m_timeoutMs);
}

QString HistogramView::title() const
{
    return texts::PageResponse;
}

QKeySequence HistogramView::shortcut() const
{
    return QKeySequence(Qt::CTRL | Qt::Key_2);
}

void HistogramView::startRun(const diagnosis::RunPlan& plan)
{
    QStringList labels;
    for (const diagnosis::Target& target : plan.targets)
        labels << diagnosis::targetLabel(target);
    setTargets(labels, plan.timeoutMs);
}

void HistogramView::addTarget(const diagnosis::Target& target)
{
    m_target->addItem(diagnosis::targetLabel(target));
}

void HistogramView::redraw(const PageRedraw& redraw)
{
    if (redraw.inView && redraw.changed)
        draw(*redraw.statistics);
}

void HistogramView::addToReport(RunReport& report, const PageRedraw& redraw)
{
    draw(*redraw.statistics);
    report.histogram = chartPicture(m_view);
}

void HistogramView::makeChart()
{
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_time = new QLogValueAxis;
    m_time->setBase(10);
    m_time->setLabelFormat(QStringLiteral("%g"));
    m_time->setTitleText(texts::ResponseAxis);
    m_time->setMinorTickCount(8);
    m_counts = new QValueAxis;
    m_counts->setTitleText(texts::CountAxis);
    m_counts->setLabelFormat(QStringLiteral("%d"));
    m_chart->addAxis(m_time, Qt::AlignBottom);
    m_chart->addAxis(m_counts, Qt::AlignLeft);

    m_bars = new QLineSeries(this);
    m_area = new QAreaSeries(m_bars);
    m_area->setName(texts::CountAxis);
    m_chart->addSeries(m_area);
    m_area->attachAxis(m_time);
    m_area->attachAxis(m_counts);

    m_timeoutLine = new QLineSeries;
    QPen pen(Qt::DashLine);
    pen.setWidthF(2);
    pen.setColor(m_chart->palette().color(QPalette::Text));
    m_timeoutLine->setPen(pen);
    m_chart->addSeries(m_timeoutLine);
    m_timeoutLine->attachAxis(m_time);
    m_timeoutLine->attachAxis(m_counts);

    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    static_cast<QVBoxLayout*>(layout())->addWidget(m_view, 1);
    showTimeout();
}

void HistogramView::setTargets(const QStringList& labels, int timeoutMs)
{
    m_timeoutMs = timeoutMs;
    m_target->clear();
    m_target->addItem(texts::AllTargets);
    m_target->addItems(labels);
    if (m_chart)
        showTimeout();
}

// The chart as a new run finds it: no bars, the time-out marked.
void HistogramView::showTimeout()
{
    m_timeoutLine->setName(texts::TimeoutMark.arg(m_timeoutMs));
    m_time->setRange(kAxisFloorMs, m_timeoutMs * 1.25);
    m_counts->setRange(0, 1);
    m_bars->clear();
    m_timeoutLine->replace({QPointF(m_timeoutMs, 0), QPointF(m_timeoutMs, 1)});
}

QList<QPointF> HistogramView::stepOutline(const QList<diagnosis::HistogramBucket>& buckets,
                                          double floorMs)
{
    QList<QPointF> points;
    for (const diagnosis::HistogramBucket& bucket : buckets) {
        if (bucket.toMs <= floorMs)
            continue;
        const double from = std::max(bucket.fromMs, floorMs);
        const double count = double(bucket.count);
        points << QPointF(from, 0) << QPointF(from, count) << QPointF(bucket.toMs, count)
               << QPointF(bucket.toMs, 0);
    }
    return points;
}

void HistogramView::draw(const diagnosis::RunStatistics& statistics)
{
    if (!m_chart)
        makeChart();
    const int chosen = m_target->currentIndex() - 1;
    const diagnosis::ResponseStatistics& source =
        chosen >= 0 && std::size_t(chosen) < statistics.perTarget.size()
            ? statistics.perTarget[std::size_t(chosen)]
            : statistics.overall;
    const QList<diagnosis::HistogramBucket> buckets = source.histogram(m_timeoutMs, kBarsPerDecade);
    quint64 highest = 0;
    for (const diagnosis::HistogramBucket& bucket : buckets)
        highest = std::max(highest, bucket.count);
    // Responses faster than the first edge (0.1 ms) still show, as a bar just below it.
    m_bars->replace(stepOutline(buckets, kAxisFloorMs));
    // The time axis starts at the decade of the fastest response, so the bars
    // are not squeezed into its right end.
    double floor = kAxisFloorMs;
    if (source.responses() > 0)
        floor = std::max(kAxisFloorMs, std::pow(10.0, std::floor(std::log10(source.minMs()))));
    m_time->setMin(floor);
    const double top = std::max<double>(1.0, double(highest) * 1.1);
    m_counts->setRange(0, top);
    m_counts->applyNiceNumbers();
    m_timeoutLine->replace({QPointF(m_timeoutMs, 0), QPointF(m_timeoutMs, m_counts->max())});
}
