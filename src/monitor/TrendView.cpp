#include "monitor/TrendView.h"

#include "diagnosis/DiagnosisTarget.h"
#include "monitor/ChartPicture.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ReportWriter.h"
#include "monitor/TrendBuffer.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSettings>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace texts = monitor_texts;

namespace {
constexpr qint64 kSpansMs[] = {60 * 1000, 10 * 60 * 1000, 60 * 60 * 1000};
constexpr int kDefaultSpan = 1; // ten minutes
const QString kSpanKey = QStringLiteral("window/trendSpan");
} // namespace

TrendView::TrendView(TrendBuffer& buffer, QWidget* parent) : QWidget(parent), m_buffer(buffer)
{
    m_buffer.setSpan(kSpansMs[kDefaultSpan]);
    m_span = new QComboBox(this);
    m_span->addItems(texts::TrendSpans);
    m_span->setCurrentIndex(kDefaultSpan);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(texts::TrendSpanLabel, this));
    top->addWidget(m_span);
    top->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);

    connect(m_span, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < int(std::size(kSpansMs)))
            m_buffer.setSpan(kSpansMs[index]);
        if (m_chart)
            draw(QDateTime::currentMSecsSinceEpoch());
    });
}

QString TrendView::title() const
{
    return texts::PageTrend;
}

QKeySequence TrendView::shortcut() const
{
    return QKeySequence(Qt::CTRL | Qt::Key_3);
}

void TrendView::startRun(const diagnosis::RunPlan& plan)
{
    QStringList labels;
    for (const diagnosis::Target& target : plan.targets)
        labels << diagnosis::targetLabel(target);
    setTargets(labels);
}

void TrendView::addTarget(const diagnosis::Target& target)
{
    m_labels << diagnosis::targetLabel(target);
    m_buffer.addTarget();
    if (m_chart)
        makeLines();
}

void TrendView::takeExchange(const diagnosis::ExchangeRecord& record, bool fromScan)
{
    if (fromScan)
        return;
    const qint64 at = record.sentAt.toMSecsSinceEpoch();
    if (record.value)
        m_buffer.addValue(record.targetIndex, at, *record.value);
    if (record.outcome == diagnosis::Outcome::Timeout)
        m_buffer.addTimeout(at);
}

void TrendView::redraw(const PageRedraw& redraw)
{
    if (redraw.inView && (redraw.running || redraw.changed))
        draw(redraw.nowMs);
}

void TrendView::addToReport(RunReport& report, const PageRedraw& redraw)
{
    draw(redraw.nowMs);
    report.trend = chartPicture(m_view);
}

void TrendView::saveSettings(QSettings& settings) const
{
    settings.setValue(kSpanKey, m_span->currentIndex());
}

void TrendView::restoreSettings(QSettings& settings)
{
    m_span->setCurrentIndex(settings.value(kSpanKey, kDefaultSpan).toInt());
}

void TrendView::makeChart()
{
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
    static_cast<QVBoxLayout*>(layout())->addWidget(m_view, 1);
    m_values->setRange(0, 1);
    makeLines();
}

void TrendView::setTargets(const QStringList& labels)
{
    m_labels = labels;
    m_buffer.setTargetCount(int(labels.size()));
    if (m_chart)
        makeLines();
}

void TrendView::makeLines()
{
    for (QLineSeries* line : std::as_const(m_lines)) {
        m_chart->removeSeries(line);
        delete line;
    }
    m_lines.clear();
    for (const QString& label : std::as_const(m_labels)) {
        auto* line = new QLineSeries;
        line->setName(label);
        m_chart->addSeries(line);
        line->attachAxis(m_time);
        line->attachAxis(m_values);
        m_lines << line;
    }
    // More than a handful of names would crowd out the chart.
    m_chart->legend()->setVisible(m_labels.size() <= 12);
    m_timeouts->clear();
}

void TrendView::draw(qint64 nowMs)
{
    if (!m_chart)
        makeChart();
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
