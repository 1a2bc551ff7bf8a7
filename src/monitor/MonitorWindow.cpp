#include "monitor/MonitorWindow.h"

#include "monitor/ExchangeCsv.h"
#include "monitor/FramesModel.h"
#include "monitor/HistogramView.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ReportWriter.h"
#include "monitor/ScanModel.h"
#include "monitor/ScanPage.h"
#include "monitor/SetupPanel.h"
#include "monitor/StatisticsModel.h"
#include "monitor/TrendView.h"
#include "platform/PortTexts.h"

#include <QAction>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace texts = monitortexts;
using namespace Qt::StringLiterals;

namespace {

QTableView* tableOf(QAbstractItemModel* model, QWidget* parent)
{
    auto* table = new QTableView(parent);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QString clockText(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QChar(u'0'))
        .arg(s / 60 % 60, 2, 10, QChar(u'0'))
        .arg(s % 60, 2, 10, QChar(u'0'));
}

// A chart as a picture for the report, at a size that reads on a page.
QImage chartPicture(QChartView* view)
{
    if (!view->isVisible())
        view->resize(900, 560);
    return view->grab().toImage();
}

} // namespace

MonitorWindow::MonitorWindow(QSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_warn([](QWidget* parent, const QString& text) {
          QMessageBox::warning(parent, texts::Caption, text);
      })
{
    setWindowTitle(texts::Caption);

    m_setup = new SetupPanel;
    auto* setupScroll = new QScrollArea;
    setupScroll->setWidget(m_setup);
    setupScroll->setWidgetResizable(true);
    setupScroll->setFrameShape(QFrame::NoFrame);
    setupScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setupScroll->setMinimumWidth(m_setup->sizeHint().width() + 8);

    m_statistics = new StatisticsModel(this);
    m_frames = new FramesModel(this);
    m_scanModel = new ScanModel(this);
    m_pages = new QTabWidget;
    m_statisticsTable = tableOf(m_statistics, m_pages);
    // A row per target: few enough rows for the columns to follow their contents.
    m_statisticsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The chart pages are filled when first needed: Qt Charts adds a tenth
    // to the start-up otherwise.
    m_histogramPage = new QWidget(m_pages);
    m_trendPage = new QWidget(m_pages);
    new QVBoxLayout(m_histogramPage);
    new QVBoxLayout(m_trendPage);
    m_histogramPage->layout()->setContentsMargins(0, 0, 0, 0);
    m_trendPage->layout()->setContentsMargins(0, 0, 0, 0);
    m_scanPage = new ScanPage(m_scanModel, m_pages);
    m_framesTable = tableOf(m_frames, m_pages);
    m_pages->addTab(m_statisticsTable, texts::PageStatistics);
    m_pages->addTab(m_histogramPage, texts::PageResponse);
    m_pages->addTab(m_trendPage, texts::PageTrend);
    m_pages->addTab(m_scanPage, texts::PageScan);
    m_pages->addTab(m_framesTable, texts::PageFrames);

    m_splitter = new QSplitter;
    m_splitter->addWidget(setupScroll);
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);

    buildMenus();
    buildStatusBar();
    connectEngine();

    connect(m_setup, &SetupPanel::startRequested, this, &MonitorWindow::startRun);
    connect(m_setup, &SetupPanel::stopRequested, this, &MonitorWindow::stopRun);
    connect(m_setup, &SetupPanel::scanRequested, this, &MonitorWindow::startScan);
    connect(m_scanPage, &ScanPage::addToTargets, m_setup, &SetupPanel::addAddresses);
    connect(m_pages, &QTabWidget::currentChanged, this, [this] {
        if (m_pages->currentWidget() == m_histogramPage || m_pages->currentWidget() == m_trendPage)
            ensureCharts();
        m_dirty = true;
        redrawNow();
    });

    m_redrawTimer.setInterval(kRedrawMs);
    connect(&m_redrawTimer, &QTimer::timeout, this, &MonitorWindow::redrawNow);
    restoreSettings();
    setRunning(false);
}

MonitorWindow::~MonitorWindow()
{
    m_engine.stop();
    m_scan.stop();
}

void MonitorWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(texts::MenuFile);
    QAction* csv =
        file->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), texts::ExportCsv);
    csv->setShortcut(QKeySequence::Save);
    QAction* pdf = file->addAction(texts::ExportPdf);
    pdf->setShortcut(QKeySequence::Print);
    file->addSeparator();
    QAction* quit = file->addAction(texts::Quit);
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(csv, &QAction::triggered, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, texts::ExportCsv, {}, texts::CsvFilter);
        if (!path.isEmpty())
            exportCsv(path);
    });
    connect(pdf, &QAction::triggered, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, texts::ExportPdf, {}, texts::PdfFilter);
        if (!path.isEmpty())
            exportPdf(path);
    });

    QMenu* run = menuBar()->addMenu(texts::MenuRun);
    m_startAction = run->addAction(style()->standardIcon(QStyle::SP_MediaPlay), texts::Start);
    m_startAction->setShortcut(QKeySequence(Qt::Key_F5));
    m_stopAction = run->addAction(style()->standardIcon(QStyle::SP_MediaStop), texts::Stop);
    m_stopAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    m_scanAction = run->addAction(texts::Scan);
    m_scanAction->setShortcut(QKeySequence(Qt::Key_F6));
    // The actions do what the panel's buttons do, refusals included.
    QMenu* view = menuBar()->addMenu(texts::MenuView);
    for (int page = 0; page < m_pages->count(); ++page) {
        QAction* show = view->addAction(m_pages->tabText(page));
        show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + page)));
        connect(show, &QAction::triggered, this, [this, page] { m_pages->setCurrentIndex(page); });
    }

    connect(m_startAction, &QAction::triggered, m_setup->startButton(), &QPushButton::click);
    connect(m_stopAction, &QAction::triggered, m_setup->stopButton(), &QPushButton::click);
    connect(m_scanAction, &QAction::triggered, m_setup->scanButton(), &QPushButton::click);
}

void MonitorWindow::buildStatusBar()
{
    m_portStatus = new QLabel(texts::PortClosed);
    m_runStatus = new QLabel;
    m_rateStatus = new QLabel;
    statusBar()->addWidget(m_portStatus, 1);
    statusBar()->addPermanentWidget(m_runStatus);
    statusBar()->addPermanentWidget(m_rateStatus);
}

void MonitorWindow::connectEngine()
{
    connect(&m_engine, &diagnosis::DiagnosisEngine::exchangeFinished, this,
            &MonitorWindow::onExchange);
    connect(&m_engine, &diagnosis::DiagnosisEngine::portLost, this, [this](const QString& reason) {
        m_portState = texts::PortLost;
        m_frames->addNote(texts::FramesPortLost.arg(reason));
        m_dirty = true;
        updateStatus();
    });
    connect(&m_engine, &diagnosis::DiagnosisEngine::portBack, this, [this] {
        m_portState = texts::PortReopened.arg(m_portText);
        m_frames->addNote(texts::FramesPortBack);
        m_dirty = true;
        updateStatus();
    });
    connect(&m_engine, &diagnosis::DiagnosisEngine::finished, this, &MonitorWindow::onRunFinished);

    connect(&m_scan.engine(), &diagnosis::DiagnosisEngine::exchangeFinished, this,
            &MonitorWindow::onScanExchange);
    connect(&m_scan, &diagnosis::BusScan::answered, this, [this](const diagnosis::ScanHit& hit) {
        m_scanModel->addHit(hit, m_scanHbx);
        m_scanPage->setFoundCount(m_scanModel->rowCount());
    });
    connect(&m_scan, &diagnosis::BusScan::progress, m_scanPage, &ScanPage::setProgress);
    connect(&m_scan, &diagnosis::BusScan::finished, this, &MonitorWindow::onRunFinished);
}

bool MonitorWindow::startRun(const MonitorSetup& setup)
{
    if (m_engine.isRunning() || m_scan.isRunning())
        return false;
    const diagnosis::RunPlan plan = monitor::runPlanOf(setup);
    QStringList labels;
    for (const diagnosis::Target& target : plan.targets)
        labels << diagnosis::targetLabel(target);
    ensureCharts();
    m_statistics->startRun(plan.targets, plan.timeoutMs);
    m_histogram->setTargets(labels, plan.timeoutMs);
    m_trend->setTargets(labels);
    m_portText = setup.port;
    QString refusal;
    if (!m_engine.start(plan, &refusal)) {
        warn(porttexts::CannotOpen.arg(setup.port, refusal));
        return false;
    }
    monitor::saveSetup(m_settings, setup);
    m_portState = texts::PortOpen.arg(setup.port);
    m_exchanges = 0;
    m_rate = 0;
    m_rateMarkMs = 0;
    m_rateSamples = {{0, 0}};
    m_runClock.start();
    setRunning(true);
    return true;
}

void MonitorWindow::stopRun()
{
    m_engine.stopAfterExchange();
    m_scan.stop();
    m_setup->stopButton()->setEnabled(false);
    m_stopAction->setEnabled(false);
}

bool MonitorWindow::startScan(const MonitorSetup& setup)
{
    if (m_engine.isRunning() || m_scan.isRunning())
        return false;
    diagnosis::ScanPlan plan;
    plan.port = setup.port.trimmed();
    plan.settings = setup.lineSettings;
    plan.from = std::min(m_scanPage->from(), m_scanPage->to());
    plan.to = std::max(m_scanPage->from(), m_scanPage->to());
    plan.timeoutMs = m_scanPage->timeoutMs();
    plan.hbx = m_scanPage->hbx();
    plan.checkField = setup.checkField;
    m_scanHbx = plan.hbx;
    m_scanModel->clear();
    m_scanPage->setFoundCount(0);
    m_scanPage->setProgress(0, plan.to - plan.from + 1);
    m_portText = setup.port;
    QString refusal;
    if (!m_scan.start(plan, &refusal)) {
        warn(porttexts::CannotOpen.arg(setup.port, refusal));
        return false;
    }
    m_portState = texts::PortOpen.arg(setup.port);
    m_pages->setCurrentWidget(m_scanPage);
    m_runClock.start();
    setRunning(true);
    return true;
}

void MonitorWindow::onExchange(const diagnosis::ExchangeRecord& record)
{
    m_frames->addExchange(record);
    m_statistics->noteExchange(record);
    const qint64 at = record.sentAt.toMSecsSinceEpoch();
    if (record.value)
        m_trend->buffer().addValue(record.targetIndex, at, *record.value);
    if (record.outcome == diagnosis::Outcome::Timeout)
        m_trend->buffer().addTimeout(at);
    ++m_exchanges;
    m_dirty = true;
}

void MonitorWindow::onScanExchange(const diagnosis::ExchangeRecord& record)
{
    m_frames->addExchange(record);
    ++m_exchanges;
    m_dirty = true;
}

void MonitorWindow::onRunFinished()
{
    if (m_engine.isRunning() || m_scan.isRunning())
        return;
    m_runMs = m_runClock.isValid() ? m_runClock.elapsed() : 0;
    m_runClock.invalidate();
    m_portState = texts::PortClosed;
    setRunning(false);
    m_dirty = true;
    redrawNow();
}

void MonitorWindow::setRunning(bool running)
{
    m_setup->setRunning(running);
    m_scanPage->setRunning(running);
    m_startAction->setEnabled(!running);
    m_scanAction->setEnabled(!running);
    m_stopAction->setEnabled(running);
    if (running)
        m_redrawTimer.start();
    else
        m_redrawTimer.stop();
    updateStatus();
}

// Only the page in view is drawn; the others catch up when they are shown.
void MonitorWindow::redrawNow()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    QWidget* page = m_pages->currentWidget();
    if (page == m_trendPage && m_trend && m_engine.isRunning())
        m_trend->redraw(now); // the time axis moves on even without new values
    if (m_dirty) {
        const bool firstFrames = m_frames->rowCount() == 0;
        m_frames->flush();
        // Widths are fitted to the first lines once, then left to the technician.
        if (firstFrames && m_frames->rowCount() > 0) {
            m_framesTable->resizeColumnsToContents();
            // Room for a bold outcome and a longer time than the first ones.
            const int slack = m_framesTable->fontMetrics().horizontalAdvance(u"0000"_s);
            for (int column : {int(FramesModel::Result), int(FramesModel::ResponseMs)})
                m_framesTable->setColumnWidth(column, m_framesTable->columnWidth(column) + slack);
        }
        if (page == m_statisticsTable)
            m_statistics->refresh(m_engine.statistics());
        else if (page == m_histogramPage && m_histogram)
            m_histogram->redraw(m_engine.statistics());
        else if (page == m_trendPage && m_trend && !m_engine.isRunning())
            m_trend->redraw(now);
        m_dirty = false;
        ++m_redraws;
    }
    updateStatus();
}

void MonitorWindow::updateStatus()
{
    m_portStatus->setText(m_portState.isEmpty() ? texts::PortClosed : m_portState);
    const bool running = m_runClock.isValid();
    const qint64 runMs = running ? m_runClock.elapsed() : m_runMs;
    m_runStatus->setText(texts::RunTime.arg(clockText(runMs)));
    // The rate over the last five seconds: one time-out would make a
    // one-second figure jump to nothing and back.
    if (running && runMs - m_rateMarkMs >= 1000) {
        m_rateSamples.emplace_back(runMs, m_exchanges);
        while (m_rateSamples.size() > 6)
            m_rateSamples.pop_front();
        const auto& [fromMs, fromDone] = m_rateSamples.front();
        if (runMs > fromMs)
            m_rate = double(m_exchanges - fromDone) * 1000.0 / double(runMs - fromMs);
        m_rateMarkMs = runMs;
    }
    m_rateStatus->setText(texts::Rate.arg(running ? m_rate : 0.0, 0, 'f', 1));
}

bool MonitorWindow::exportCsv(const QString& path)
{
    m_frames->flush();
    QString error;
    if (!monitor::writeFramesCsv(*m_frames, path, &error)) {
        warn(texts::ExportFailed.arg(path, error));
        return false;
    }
    return true;
}

bool MonitorWindow::exportPdf(const QString& path)
{
    m_frames->flush();
    ensureCharts();
    m_statistics->refresh(m_engine.statistics());
    m_histogram->redraw(m_engine.statistics());
    m_trend->redraw(QDateTime::currentMSecsSinceEpoch());
    RunReport report;
    report.made = QDateTime::currentDateTime();
    report.setup = monitor::setupLines(m_setup->setup());
    report.summary = m_statistics->tableTexts();
    report.histogram = chartPicture(m_histogram->chartView());
    report.trend = chartPicture(m_trend->chartView());
    QString error;
    if (!monitor::writeReportPdf(report, path, &error)) {
        warn(texts::ExportFailed.arg(path, error));
        return false;
    }
    return true;
}

void MonitorWindow::ensureCharts()
{
    if (m_histogram)
        return;
    m_histogram = new HistogramView(m_histogramPage);
    m_trend = new TrendView(m_trendPage);
    m_histogramPage->layout()->addWidget(m_histogram);
    m_trendPage->layout()->addWidget(m_trend);
    m_trend->spanBox()->setCurrentIndex(
        m_settings.value(QStringLiteral("window/trendSpan"), 1).toInt());
}

HistogramView* MonitorWindow::histogramView()
{
    ensureCharts();
    return m_histogram;
}

TrendView* MonitorWindow::trendView()
{
    ensureCharts();
    return m_trend;
}

void MonitorWindow::warn(const QString& text)
{
    if (m_warn)
        m_warn(this, text);
}

void MonitorWindow::closeEvent(QCloseEvent* event)
{
    m_engine.stop();
    m_scan.stop();
    saveSettings();
    QMainWindow::closeEvent(event);
}

void MonitorWindow::saveSettings()
{
    monitor::saveSetup(m_settings, m_setup->setup());
    m_settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
    m_settings.setValue(QStringLiteral("window/state"), saveState());
    m_settings.setValue(QStringLiteral("window/splitter"), m_splitter->saveState());
    m_settings.setValue(QStringLiteral("window/page"), m_pages->currentIndex());
    if (m_trend)
        m_settings.setValue(QStringLiteral("window/trendSpan"), m_trend->spanBox()->currentIndex());
    m_settings.setValue(QStringLiteral("scan/from"), m_scanPage->from());
    m_settings.setValue(QStringLiteral("scan/to"), m_scanPage->to());
    m_settings.setValue(QStringLiteral("scan/timeout"), m_scanPage->timeoutMs());
    m_settings.setValue(QStringLiteral("scan/hbx"), m_scanPage->hbx());
    m_settings.sync();
}

void MonitorWindow::restoreSettings()
{
    m_setup->setSetup(monitor::loadSetup(m_settings));
    if (!restoreGeometry(m_settings.value(QStringLiteral("window/geometry")).toByteArray()))
        resize(1180, 720);
    restoreState(m_settings.value(QStringLiteral("window/state")).toByteArray());
    m_splitter->restoreState(m_settings.value(QStringLiteral("window/splitter")).toByteArray());
    m_pages->setCurrentIndex(m_settings.value(QStringLiteral("window/page"), 0).toInt());
    m_scanPage->setRange(m_settings.value(QStringLiteral("scan/from"), 1).toInt(),
                         m_settings.value(QStringLiteral("scan/to"), 255).toInt(),
                         m_settings.value(QStringLiteral("scan/timeout"), 300).toInt(),
                         m_settings.value(QStringLiteral("scan/hbx"), false).toBool());
}
