#include "monitor/MonitorPages.h"

#include "monitor/FramesView.h"
#include "monitor/HistogramView.h"
#include "monitor/MonitorController.h"
#include "monitor/ParameterPage.h"
#include "monitor/ScanPage.h"
#include "monitor/StatisticsView.h"
#include "monitor/TestPage.h"
#include "monitor/TrendBuffer.h"
#include "monitor/TrendView.h"
#include "platform/QtSerialLine.h"

#include <QDateTime>
#include <QTabWidget>

MonitorPages::MonitorPages(MonitorController& controller, QTabWidget* tabs)
    : QObject(tabs), m_controller(controller), m_tabs(tabs)
{
    m_scanPage = new ScanPage(&m_scanned);
    m_parameterPage = new ParameterPage(std::make_unique<QtSerialLine>());
    m_testPage = new TestPage(std::make_unique<QtSerialLine>());
    m_pages = {
        new StatisticsView(m_statistics),
        new HistogramView,
        new TrendView(keep<TrendBuffer>()),
        m_scanPage,
        new FramesView(m_frames),
        m_parameterPage,
        m_testPage,
    };
    for (MonitorPage* page : std::as_const(m_pages))
        tabs->addTab(page->widget(), page->title());

    connect(&controller, &MonitorController::runStarting, this,
            [this](const diagnosis::RunPlan& plan) {
                for (MonitorPage* page : std::as_const(m_pages))
                    page->startRun(plan);
            });
    connect(&controller, &MonitorController::targetAdded, this,
            [this](const diagnosis::Target& target) {
                for (MonitorPage* page : std::as_const(m_pages))
                    page->addTarget(target);
            });
    connect(&controller, &MonitorController::exchangeEnded, this,
            [this](const diagnosis::ExchangeRecord& record, bool fromScan) {
                for (MonitorPage* page : std::as_const(m_pages))
                    page->takeExchange(record, fromScan);
            });
    connect(&controller, &MonitorController::portNote, this,
            [this](const QString& text) { m_frames.addNote(text); });
    connect(&controller, &MonitorController::scanStarting, m_scanPage, &ScanPage::startScan);
    connect(&controller.scan(), &diagnosis::BusScan::answered, m_scanPage, &ScanPage::addHit);
    connect(&controller.scan(), &diagnosis::BusScan::progress, m_scanPage, &ScanPage::setProgress);
}

MonitorPage* MonitorPages::inView() const
{
    const int index = m_tabs->currentIndex();
    return index >= 0 && index < m_pages.size() ? m_pages[index] : nullptr;
}

PageRedraw MonitorPages::redrawOf(bool changed) const
{
    PageRedraw redraw;
    redraw.nowMs = QDateTime::currentMSecsSinceEpoch();
    redraw.changed = changed;
    redraw.running = m_controller.isActive();
    redraw.statistics = &m_controller.statistics();
    redraw.listener = m_controller.listener();
    return redraw;
}

void MonitorPages::redraw(bool changed)
{
    PageRedraw redraw = redrawOf(changed);
    MonitorPage* shown = inView();
    for (MonitorPage* page : std::as_const(m_pages)) {
        redraw.inView = page == shown;
        page->redraw(redraw);
    }
}

void MonitorPages::addToReport(RunReport& report)
{
    m_frames.flush();
    const PageRedraw redraw = redrawOf(true);
    for (MonitorPage* page : std::as_const(m_pages))
        page->addToReport(report, redraw);
}

void MonitorPages::saveSettings(QSettings& settings) const
{
    for (const MonitorPage* page : m_pages)
        page->saveSettings(settings);
}

void MonitorPages::restoreSettings(QSettings& settings)
{
    for (MonitorPage* page : std::as_const(m_pages))
        page->restoreSettings(settings);
}
